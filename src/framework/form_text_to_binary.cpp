// ObjectTextToBinary: a recursive-descent parser of the text form that
// writes the binary form as it goes.
#include "framework/filer_errors.h"
#include "framework/form_text.h"
#include "framework/form_text_lexer.h"
#include "framework/framework_messages.h"
#include "framework/sysutils.h"
#include "framework/value_writer.h"

namespace {

class TFormParser {
public:
    TFormParser(std::string_view text, TStream& binary) : lex_(text), writer_(binary) {}

    void ParseForm() {
        writer_.WriteSignature();
        ParseObject();
        if (lex_.Current().kind != TTokenKind::tkEnd) lex_.Error(kMsgExtraText);
    }

private:
    const TToken& Current() const { return lex_.Current(); }

    bool IsSymbol(char c) const {
        return Current().kind == TTokenKind::tkSymbol && Current().text[0] == c;
    }

    bool IsKeyword(const char* word) const {
        return Current().kind == TTokenKind::tkIdent && SameTextAscii(Current().text, word);
    }

    void ExpectSymbol(char c) {
        if (!IsSymbol(c)) lex_.Error(Format(kMsgExpected, std::string(1, c).insert(0, "'").append("'").c_str()));
        lex_.Next();
    }

    // A plain identifier (no dots), for class, object and set element names.
    std::string ExpectIdent() {
        if (Current().kind != TTokenKind::tkIdent || Current().text.find('.') != std::string::npos)
            lex_.Error(kMsgIdentExpected);
        std::string name = Current().text;
        lex_.Next();
        return name;
    }

    // Objects, lists, collections and items share one depth, counted as the
    // binary reader counts them.
    void Enter() {
        if (depth_ >= kMaxNesting) lex_.Error(kMsgTooDeep);
        ++depth_;
    }
    void Leave() { --depth_; }

    void ParseObject() {
        TObjectHeader header;
        if (IsKeyword("inherited"))
            header.flags = ffInherited;
        else if (IsKeyword("inline"))
            header.flags = ffInline;
        else if (!IsKeyword("object"))
            lex_.Error(Format(kMsgExpected, "'object'"));
        Enter();
        lex_.Next();
        std::string first = ExpectIdent();
        if (IsSymbol(':')) {
            lex_.Next();
            header.name = first;
            header.className = ExpectIdent();
        } else {
            header.className = first;
        }
        if (IsSymbol('[')) {
            lex_.Next();
            if (Current().kind != TTokenKind::tkInteger || Current().integer < INT32_MIN ||
                Current().integer > INT32_MAX)
                lex_.Error(kMsgIntegerExpected);
            header.childPos = static_cast<int32_t>(Current().integer);
            header.flags |= ffChildPos;
            lex_.Next();
            ExpectSymbol(']');
        }
        writer_.WriteObjectHeader(header);
        // Properties first, then child objects; the binary form keeps them
        // apart, so a property after a child is an error.
        while (Current().kind == TTokenKind::tkIdent && !IsStatementKeyword(Current().text)) ParseProperty();
        writer_.WritePropertiesEnd();
        while (IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline")) ParseObject();
        if (!IsKeyword("end")) {
            if (Current().kind == TTokenKind::tkEnd) lex_.Error(kMsgEndOfText);
            lex_.Error(Format(kMsgExpected, "'end'"));
        }
        lex_.Next();
        writer_.WriteObjectEnd();
        Leave();
    }

    void ParseProperty() {
        writer_.WritePropName(Current().text);
        lex_.Next();
        ExpectSymbol('=');
        ParseValue();
    }

    void ParseValue() {
        const TToken& t = Current();
        switch (t.kind) {
        case TTokenKind::tkInteger:
            writer_.WriteInteger(t.integer);
            lex_.Next();
            return;
        case TTokenKind::tkString: {
            std::string text = t.text;
            lex_.Next();
            while (IsSymbol('+')) {
                lex_.Next();
                if (Current().kind != TTokenKind::tkString) lex_.Error(kMsgStringExpected);
                text += Current().text;
                lex_.Next();
            }
            writer_.WriteString(text);
            return;
        }
        case TTokenKind::tkIdent:
            writer_.WriteIdent(t.text);  // True, False and nil become their own codes
            lex_.Next();
            return;
        case TTokenKind::tkSymbol:
            break;
        case TTokenKind::tkEnd:
            lex_.Error(kMsgEndOfText);
        }
        switch (t.text[0]) {
        case '[': ParseSet(); return;
        case '(': ParseList(); return;
        case '<': ParseCollection(); return;
        case '{': writer_.WriteBinary(lex_.ReadBinary()); return;
        default: lex_.Error(kMsgValueExpected);
        }
    }

    void ParseSet() {
        lex_.Next();
        std::vector<std::string> elements;
        if (!IsSymbol(']')) {
            elements.push_back(ExpectIdent());
            while (IsSymbol(',')) {
                lex_.Next();
                elements.push_back(ExpectIdent());
            }
        }
        ExpectSymbol(']');
        writer_.WriteSet(elements);
    }

    void ParseList() {
        Enter();
        lex_.Next();
        writer_.WriteListBegin();
        while (!IsSymbol(')')) ParseValue();
        lex_.Next();
        writer_.WriteListEnd();
        Leave();
    }

    void ParseCollection() {
        Enter();
        lex_.Next();
        writer_.WriteCollectionBegin();
        while (!IsSymbol('>')) {
            if (!IsKeyword("item")) lex_.Error(Format(kMsgExpected, "'item'"));
            Enter();
            lex_.Next();
            writer_.WriteItemBegin();
            while (!IsKeyword("end")) {
                if (Current().kind != TTokenKind::tkIdent) {
                    if (Current().kind == TTokenKind::tkEnd) lex_.Error(kMsgEndOfText);
                    lex_.Error(Format(kMsgExpected, "'end'"));
                }
                if (IsStatementKeyword(Current().text)) lex_.Error(kMsgIdentExpected);
                ParseProperty();
            }
            lex_.Next();
            writer_.WriteItemEnd();
            Leave();
        }
        lex_.Next();
        writer_.WriteCollectionEnd();
        Leave();
    }

    TFormLexer lex_;
    TWriter writer_;
    int depth_ = 0;
};

}  // namespace

void ObjectTextToBinary(std::string_view text, TStream& binary) {
    TFormParser parser(text, binary);
    parser.ParseForm();
}
