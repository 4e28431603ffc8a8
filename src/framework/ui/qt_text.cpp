#include "framework/ui/qt_text.h"

#include "platform/cp932.h"

namespace ui {

QString ToQt(std::string_view cp932) {
    return QString::fromStdString(platform::Cp932ToUtf8ForDisplay(cp932));
}

std::optional<std::string> FromQt(const QString& text) {
    return platform::Utf8ToCp932(text.toStdString());
}

bool HasCp932Form(const QString& text) { return FromQt(text).has_value(); }

}  // namespace ui
