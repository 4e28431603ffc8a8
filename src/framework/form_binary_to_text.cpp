// ObjectBinaryToText: writes a binary stored form in the canonical text
// layout described in form_text.h.
#include <optional>
#include <string>
#include <vector>

#include "framework/form_text.h"
#include "framework/form_text_lexer.h"
#include "framework/framework_messages.h"
#include "framework/sysutils.h"
#include "framework/value_reader.h"
#include "framework/value_writer.h"
#include "platform/cp932.h"

namespace {

constexpr size_t kLineWidth = 80;
constexpr size_t kHexBytesPerLine = 32;

std::string Indent(int level) { return std::string(static_cast<size_t>(level), ' '); }

// True when the cp932 bytes convert to UTF-8 and back to the same bytes.
std::optional<std::string> ExactUtf8(std::string_view cp932) {
    auto utf8 = platform::Cp932ToUtf8(cp932);
    if (!utf8) return std::nullopt;
    auto back = platform::Utf8ToCp932(*utf8);
    if (!back || *back != cp932) return std::nullopt;
    return utf8;
}

bool IsControl(unsigned char b) { return b < 0x20 || b == 0x7F; }

void AppendQuoted(std::string& out, std::string_view utf8) {
    for (char c : utf8) {
        out += c;
        if (c == '\'') out += '\'';
    }
}

// A cp932 string as quoted parts and #n codes (see form_text.h).
std::string QuoteString(std::string_view s) {
    if (s.empty()) return "''";
    bool controls = false;
    for (char c : s) controls |= IsControl(static_cast<unsigned char>(c));
    if (!controls) {
        if (auto utf8 = ExactUtf8(s)) {
            std::string out = "'";
            AppendQuoted(out, *utf8);
            return out + "'";
        }
    }
    // Character by character: what has no exact form becomes #n.
    std::string out;
    bool open = false;
    auto openQuote = [&] {
        if (!open) out += '\'';
        open = true;
    };
    auto closeQuote = [&] {
        if (open) out += '\'';
        open = false;
    };
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsControl(b)) {
            closeQuote();
            out += "#" + std::to_string(b);
            ++i;
            continue;
        }
        if (b < 0x80) {
            openQuote();
            out += static_cast<char>(b);
            if (b == '\'') out += '\'';
            ++i;
            continue;
        }
        size_t len = platform::IsCp932LeadByte(b) && i + 1 < s.size() ? 2 : 1;
        if (auto utf8 = ExactUtf8(s.substr(i, len))) {
            openQuote();
            AppendQuoted(out, *utf8);
            i += len;
        } else {
            closeQuote();
            out += "#" + std::to_string(b);
            ++i;
        }
    }
    closeQuote();
    return out;
}

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        unsigned char b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

class TFormPrinter {
public:
    explicit TFormPrinter(TStream& binary) : reader_(binary) {}

    std::string Print() {
        reader_.ReadSignature();
        PrintObject(0);
        return std::move(out_);
    }

private:
    [[noreturn]] void Unrepresentable(const std::string& name) {
        std::string shown;
        for (char c : name) shown += (c >= 0x20 && c < 0x7F) ? c : '?';
        throw EReadError(std::string(kMsgReadError) + Format(kMsgUnnamedValue, shown.c_str()));
    }

    std::string ReadPropName() {
        std::string name = reader_.ReadStr();
        if (!IsDottedIdent(name)) {
            std::string shown;
            for (char c : name.substr(0, 64)) shown += (c >= 0x20 && c < 0x7F) ? c : '?';
            throw EReadError(std::string(kMsgReadError) + Format(kMsgBadName, shown.c_str()));
        }
        if (IsStatementKeyword(name)) Unrepresentable(name);
        return name;
    }

    void PrintObject(int level) {
        TObjectHeader h = reader_.ReadObjectHeader();
        out_ += Indent(level);
        out_ += (h.flags & ffInherited) ? "inherited " : (h.flags & ffInline) ? "inline " : "object ";
        out_ += h.name.empty() ? h.className : h.name + ": " + h.className;
        if (h.flags & ffChildPos) out_ += " [" + std::to_string(h.childPos) + "]";
        out_ += '\n';
        while (!reader_.EndOfList()) {
            std::string name = ReadPropName();
            std::string line = Indent(level + 2) + name + " = ";
            line += Value(level + 2, line.size());
            out_ += line + '\n';
        }
        reader_.ReadPropertiesEnd();
        while (!reader_.EndOfList()) PrintObject(level + 2);
        reader_.ReadObjectEnd();
        out_ += Indent(level) + "end\n";
    }

    // One value starting at `column` of a line whose continuation lines are
    // indented relative to `level`.
    std::string Value(int level, size_t column) {
        switch (reader_.NextValue()) {
        case TValueType::vaList: return List(level, column);
        case TValueType::vaCollection: return Collection(level);
        case TValueType::vaBinary: return Binary(level);
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
        case TValueType::vaInt64: return std::to_string(reader_.ReadInt64());
        case TValueType::vaString:
        case TValueType::vaLString: return QuoteString(reader_.ReadString());
        case TValueType::vaIdent: {
            std::string ident = reader_.ReadIdent();
            if (IsValueKeyword(ident)) Unrepresentable(ident);
            return ident;
        }
        case TValueType::vaFalse:
        case TValueType::vaTrue:
        case TValueType::vaNil: return reader_.ReadIdent();
        case TValueType::vaSet: {
            std::string s = "[";
            bool first = true;
            for (const std::string& e : reader_.ReadSet()) {
                if (!first) s += ", ";
                s += e;
                first = false;
            }
            return s + "]";
        }
        case TValueType::vaNull: break;
        }
        throw EReadError(std::string(kMsgReadError) + Format(kMsgWrongValue, "value", "vaNull"));
    }

    static bool IsComplex(TValueType t) {
        return t == TValueType::vaList || t == TValueType::vaCollection || t == TValueType::vaBinary;
    }

    std::string List(int level, size_t column) {
        reader_.ReadListBegin();
        std::vector<std::string> items;
        bool complex = false;
        while (!reader_.EndOfList()) {
            complex |= IsComplex(reader_.NextValue());
            items.push_back(Value(level + 2, static_cast<size_t>(level) + 2));
        }
        reader_.ReadListEnd();
        if (items.empty()) return "()";
        const std::string inner = Indent(level + 2);
        if (complex) {
            std::string s = "(";
            for (const std::string& item : items) s += "\n" + inner + item;
            return s + ")";
        }
        size_t oneLine = 2 + items.size() - 1;
        for (const std::string& item : items) oneLine += item.size();
        if (column + oneLine <= kLineWidth) {
            std::string s = "(";
            for (size_t i = 0; i < items.size(); ++i) s += (i ? " " : "") + items[i];
            return s + ")";
        }
        // Packed: as many values on each line as fit (at least one).
        std::string s = "(";
        std::string line;
        for (const std::string& item : items) {
            if (!line.empty() && line.size() + 1 + item.size() > kLineWidth) {
                s += "\n" + line;
                line.clear();
            }
            line += line.empty() ? inner + item : " " + item;
        }
        return s + "\n" + line + ")";
    }

    std::string Collection(int level) {
        reader_.ReadCollectionBegin();
        std::string s = "<";
        while (!reader_.EndOfList()) {
            reader_.ReadItemBegin();
            s += "\n" + Indent(level + 2) + "item";
            while (!reader_.EndOfList()) {
                std::string name = ReadPropName();
                std::string line = Indent(level + 4) + name + " = ";
                line += Value(level + 4, line.size());
                s += "\n" + line;
            }
            reader_.ReadItemEnd();
            s += "\n" + Indent(level + 2) + "end";
        }
        reader_.ReadCollectionEnd();
        return s + ">";
    }

    std::string Binary(int level) {
        std::string bytes = reader_.ReadBinary();
        if (bytes.empty()) return "{}";
        std::string s = "{";
        for (size_t i = 0; i < bytes.size(); i += kHexBytesPerLine)
            s += "\n" + Indent(level + 2) + Hex(std::string_view(bytes).substr(i, kHexBytesPerLine));
        return s + "}";
    }

    TReader reader_;
    std::string out_;
};

}  // namespace

void ObjectBinaryToText(TStream& binary, std::string& text) {
    TFormPrinter printer(binary);
    text = printer.Print();
}
