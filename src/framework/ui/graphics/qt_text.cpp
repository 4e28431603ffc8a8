#include "framework/ui/graphics/qt_text.h"

#include "platform/cp932.h"

namespace ui {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

QString FromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The text of one character when it converts both ways to the same bytes.
std::optional<std::string> RoundTripChar(std::string_view bytes) {
    auto utf8 = platform::Cp932ToUtf8(bytes);
    if (!utf8) return std::nullopt;
    auto back = platform::Utf8ToCp932(*utf8);
    if (!back || *back != bytes) return std::nullopt;
    return utf8;
}

}  // namespace

QString ToQt(std::string_view cp932) {
    if (IsAscii(cp932)) return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
    return FromUtf8(platform::Cp932ToUtf8ForDisplay(cp932));
}

QString ToEditQt(std::string_view cp932) {
    if (IsAscii(cp932)) return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
    if (auto utf8 = platform::Cp932ToUtf8(cp932)) {
        // Duplicate codes of cp932 decode but come back as another code;
        // then the text must not be taken whole.
        auto back = platform::Utf8ToCp932(*utf8);
        if (back && *back == cp932) return FromUtf8(*utf8);
    }
    // Character by character: what has no exact character is escaped.
    QString out;
    out.reserve(static_cast<qsizetype>(cp932.size()));
    size_t i = 0;
    while (i < cp932.size()) {
        const unsigned char b = static_cast<unsigned char>(cp932[i]);
        if (b < 0x80) {
            out.append(QChar(char16_t(b)));
            ++i;
            continue;
        }
        size_t len = platform::IsCp932LeadByte(b) && i + 1 < cp932.size() ? 2 : 1;
        auto ch = RoundTripChar(cp932.substr(i, len));
        if (ch) {
            out.append(FromUtf8(*ch));
        } else {
            // Only the first byte is escaped: a bad trail byte may start
            // the next character.
            len = 1;
            out.append(QChar(char16_t(kEscapeBase + b)));
        }
        i += len;
    }
    return out;
}

std::optional<std::string> FromQt(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    qsizetype runStart = 0;
    auto flush = [&](qsizetype end) {
        if (end <= runStart) return true;
        QByteArray utf8 = text.mid(runStart, end - runStart).toUtf8();
        auto bytes = platform::Utf8ToCp932(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
        if (!bytes) return false;
        out += *bytes;
        return true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const bool pairedLow = i > 0 && text[i - 1].isHighSurrogate();
        const bool escape = u >= kEscapeBase && u <= kEscapeBase + 0xFF && !pairedLow;
        // Half a surrogate pair is no character (the conversion would make
        // it a "?").
        if (text[i].isHighSurrogate() && (i + 1 == text.size() || !text[i + 1].isLowSurrogate())) return std::nullopt;
        if (text[i].isLowSurrogate() && !pairedLow && !escape) return std::nullopt;
        if (!escape) continue;
        if (!flush(i)) return std::nullopt;
        out.push_back(static_cast<char>(u - kEscapeBase));
        runStart = i + 1;
    }
    if (!flush(text.size())) return std::nullopt;
    return out;
}

bool HasCp932Form(const QString& text) { return FromQt(text).has_value(); }

std::string FromQtName(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    std::string_view view(utf8.constData(), static_cast<size_t>(utf8.size()));
    if (auto bytes = platform::Utf8ToCp932(view)) return *bytes;
    std::string out;
    for (QChar c : text) {
        QByteArray one = QString(c).toUtf8();
        auto b = platform::Utf8ToCp932(std::string_view(one.constData(), static_cast<size_t>(one.size())));
        out += b ? *b : std::string("?");
    }
    return out;
}

}  // namespace ui
