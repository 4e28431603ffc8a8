#include "framework/ui/cp932_validator.h"

#include "framework/ui/qt_text.h"

namespace ui {

QValidator::State Cp932Validator::validate(QString& input, int&) const {
    return HasCp932Form(input) ? Acceptable : Invalid;
}

}  // namespace ui
