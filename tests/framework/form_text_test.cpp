#include "framework/form_text.h"

#include <gtest/gtest.h>

#include "framework/filer_errors.h"
#include "framework/stream.h"
#include "framework/value_writer.h"

namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string ToBinary(const std::string& text) {
    TMemoryStream s;
    ObjectTextToBinary(text, s);
    return s.Bytes();
}

std::string ToText(const std::string& binary) {
    TMemoryStream s(binary);
    std::string text;
    ObjectBinaryToText(s, text);
    return text;
}

// The line of the parse error, 0 when there was none.
int ErrorLine(const std::string& text) {
    try {
        ToBinary(text);
    } catch (const EParserError& e) {
        EXPECT_NE(std::string(e.what()).find(std::to_string(e.Line()) + " 行目"), std::string::npos) << e.what();
        return e.Line();
    }
    return 0;
}

// The control-array editor window, in canonical layout.
const char8_t kEditorForm[] = u8R"(object ArryCtrlForm: TArryCtrlForm
  Left = 277
  Top = 286
  Width = 743
  Height = 358
  Caption = 'コントロール配列エディター'
  Font.Color = clBlack
  Font.Height = -16
  Font.Name = 'ＭＳ ゴシック'
  OldCreateOrder = False
  object Panel1: TPanel
    Left = 0
    Top = 288
    Width = 735
    Height = 43
    Align = alBottom
    BevelInner = bvLowered
    TabOrder = 0
    object BitBtn1: TBitBtn
      Left = 552
      Top = 9
      Width = 81
      Height = 25
      TabOrder = 0
      Kind = bkOK
    end
  end
  object Panel3: TPanel
    BorderWidth = 5
    object ComboGrid1: TComboGrid
      Align = alClient
      ColCount = 3
      DefaultRowHeight = 24
      Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goRowMoving]
      OnDrawCell = ComboGrid1DrawCell
      OnGridBtnClick = ComboGrid1GridBtnClick
      ColWidths = (40 248 64)
      CellData = (0 0 '↓↑' 1 0 'オブジェクト名' 2 0 '削除')
      CellKind = (
        0 18 17 2 '' '' 0 2 0 True 0 18 17 2 '' '' 0 2 0 True 2 18 17 1 '→' 0
        2 0 True)
    end
  end
  object ArEdit1: TArEdit
    Collection = <
      item
        Cntrl = ArEdit1_1
      end
      item
        Cntrl = ArEdit1_2
      end>
    NumOfArry = 2
    ArryParent = Owner.Panel3
    OnClick = nil
  end
  inherited Header: THeader [2]
    Sections = (
      'it''s'#13#10'ok'
      (1 2)
      <
        item
          Text = 'a'
        end>
      {
        0001FF})
    Glyph = {
      000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
      20}
    Empty = ()
    NoItems = <>
    NoBytes = {}
    NoSet = []
    Big = 4294967296
    Small = -2147483648
  end
end
)";

}  // namespace

TEST(FormText, RealisticFormRoundTripsThroughBinary) {
    const std::string text = U8(kEditorForm);
    const std::string binary = ToBinary(text);
    EXPECT_EQ(binary.substr(0, 4), "TNSF");
    // Texts are cp932 in the binary form.
    EXPECT_NE(binary.find(std::string("\x06\x04") + "削除"), std::string::npos);
    EXPECT_NE(binary.find(std::string("\x07" "Caption\x06\x1A") + "コントロール配列エディター"), std::string::npos);
    // CellData: a list of column, row and text triples.
    EXPECT_NE(binary.find(std::string("\x08" "CellData\x01\x02\x00\x02\x00\x06\x04", 16) + "↓↑" +
                          std::string("\x02\x01\x02\x00", 4)),
              std::string::npos);
    EXPECT_NE(binary.find("\x0B" "Font.Height" "\x02\xF0"), std::string::npos);
    EXPECT_NE(binary.find("\xF3\x02\x02\x07THeader\x06Header"), std::string::npos);
    EXPECT_EQ(ToText(binary), text);
}

TEST(FormText, BinaryFromTheWriterPrintsInCanonicalLayout) {
    TMemoryStream s;
    TWriter w(s);
    w.WriteSignature();
    TObjectHeader h;
    h.className = "TComboGrid";
    w.WriteObjectHeader(h);
    w.WritePropName("CellData");
    w.WriteListBegin();
    const char* headings[] = {"#", "DIR", "LZH_FILE", "TITLE", "AUTHOR", "NIF_ID", "DATE", "BYTE"};
    for (int c = 0; c < 8; ++c) {
        w.WriteInteger(c);
        w.WriteInteger(0);
        w.WriteString(headings[c]);
    }
    w.WriteListEnd();
    w.WritePropName("Hint");
    w.WriteString(std::string("tab\there", 8));
    w.WritePropName("Odd");
    w.WriteString("\x80\x83\x5C\x81");  // no character, then "so" (0x83 0x5C), then a cut lead byte
    w.WritePropertiesEnd();
    w.WriteObjectEnd();
    EXPECT_EQ(ToText(s.Bytes()), U8(u8R"(object TComboGrid
  CellData = (
    0 0 '#' 1 0 'DIR' 2 0 'LZH_FILE' 3 0 'TITLE' 4 0 'AUTHOR' 5 0 'NIF_ID' 6 0
    'DATE' 7 0 'BYTE')
  Hint = 'tab'#9'here'
  Odd = #128'ソ'#129
end
)"));
    EXPECT_EQ(ToBinary(ToText(s.Bytes())), s.Bytes());
}

TEST(FormText, LongStringsAndFreeLayoutInput) {
    std::string longText(300, 'a');
    std::string text = "OBJECT Form1 : TForm1\r\n\tCaption = '" + longText.substr(0, 150) + "' +\r\n  '" +
                       longText.substr(150) + "'\r\n  Values = ( 1\r\n -2 $10\r\n 'x' )\r\n" +
                       "  Data = { 0a 0B\r\n ff }\r\n  Flag = TRUE  Mode=false Ref = NIL\r\n  Items = < Item A = 1 END >\r\nEnd";
    std::string binary = ToBinary(text);
    EXPECT_NE(binary.find(std::string("\x0C\x2C\x01\x00\x00", 5) + longText), std::string::npos);
    EXPECT_EQ(ToText(binary), "object Form1: TForm1\n  Caption = '" + longText +
                                  "'\n  Values = (1 -2 16 'x')\n  Data = {\n    0A0BFF}\n  Flag = True\n"
                                  "  Mode = False\n  Ref = nil\n  Items = <\n    item\n      A = 1\n    end>\nend\n");
    // A string from parts and codes.
    EXPECT_NE(ToBinary("object A: B S = 'a'#13'b' + #0'c' end").find(std::string("\x06\x05" "a\rb\0c", 7)),
              std::string::npos);
}

TEST(FormText, ParseErrorsCarryTheirLine) {
    EXPECT_EQ(ErrorLine(""), 1);
    EXPECT_EQ(ErrorLine("object A: B\n  X 5\nend"), 2);                  // no "="
    EXPECT_EQ(ErrorLine("object A: B\n  X = 'open\nend"), 2);           // string not closed
    EXPECT_EQ(ErrorLine("object A: B\n\n  X = ?\nend"), 3);              // no value
    EXPECT_EQ(ErrorLine("object A: B\n  X = @\nend"), 2);                // invalid character
    EXPECT_EQ(ErrorLine(U8(u8"object A: B\n  X = '\U0001F600'\nend")), 2);  // no cp932 form
    EXPECT_EQ(ErrorLine("object A: B\n  object C: D\n  end\n  X = 1\nend"), 4);  // property after a child
    EXPECT_EQ(ErrorLine("object A: B\nend\nobject C: D\nend"), 3);       // text after the object
    EXPECT_EQ(ErrorLine("object A: B\n  X = 9223372036854775808\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: B\n  X = -9223372036854775808\nend"), 0);
    EXPECT_EQ(ErrorLine("object A: B\n  X = #256\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: B\n  X = 12ab\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: B\n  X = {\n 0A0\n}\nend"), 4);       // odd number of digits
    EXPECT_EQ(ErrorLine("object A: B\n  X = {\n 0G\n}\nend"), 3);
    EXPECT_EQ(ErrorLine("object A: B\n  X = (1 2\n"), 3);                // the text ends
    EXPECT_EQ(ErrorLine("object A: B\n  X = [a, 1]\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: B\n  X = <\n    thing\n  >\nend"), 3);
    EXPECT_EQ(ErrorLine("object A: B\n  X = <\n    item\n      end = 1\n  >\nend"), 4);
    EXPECT_EQ(ErrorLine("object A: B\n  X = Font.\nend"), 2);
    EXPECT_EQ(ErrorLine("object A.B: C\nend"), 1);
    EXPECT_EQ(ErrorLine("object A: B\n  " + std::string(256, 'P') + " = 1\nend"), 2);
    EXPECT_EQ(ErrorLine("object A: B\n  X = 1\n"), 3);
    // Nesting is limited the same way for lists and objects.
    EXPECT_EQ(ErrorLine("object A: B\n X = " + std::string(100, '(') + std::string(100, ')') + "\nend"), 2);
    std::string deep;
    for (int i = 0; i < 100; ++i) deep += "object A: B\n";
    EXPECT_EQ(ErrorLine(deep), 65);
}

TEST(FormText, BinaryThatTextCannotHoldIsRefused) {
    auto form = [](const std::function<void(TWriter&)>& props) {
        TMemoryStream s;
        TWriter w(s);
        w.WriteSignature();
        TObjectHeader h;
        h.className = "TX";
        w.WriteObjectHeader(h);
        props(w);
        w.WritePropertiesEnd();
        w.WriteObjectEnd();
        return s.Bytes();
    };
    std::string ok = form([](TWriter& w) {
        w.WritePropName("A");
        w.WriteInteger(1);
    });
    EXPECT_EQ(ToText(ok), "object TX\n  A = 1\nend\n");
    // An identifier spelled like a boolean would read back as one.
    std::string trueIdent = form([](TWriter& w) {
        w.WritePropName("A");
        w.WriteValue(TValueType::vaIdent);
        w.WriteStr("true");
    });
    std::string text = "unchanged";
    TMemoryStream s(trueIdent);
    EXPECT_THROW(ObjectBinaryToText(s, text), EReadError);
    EXPECT_EQ(text, "unchanged");
    std::string endProp = form([](TWriter& w) {
        w.WriteStr("End");
        w.WriteInteger(1);
    });
    EXPECT_THROW(ToText(endProp), EReadError);
    EXPECT_THROW(ToText(ok.substr(0, ok.size() - 1)), EReadError);
    EXPECT_THROW(ToText("TNSF"), EReadError);
    EXPECT_THROW(ToText(std::string("TNSF\x02TX\x00\x01" "A\x00\x00\x00", 12)), EReadError);  // a value was due
}
