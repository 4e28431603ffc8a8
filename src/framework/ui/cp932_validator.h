// Refuses input that has no cp932 form, so a plain edit never holds a text
// the system could not keep.
#pragma once

#include <QValidator>

namespace ui {

class Cp932Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace ui
