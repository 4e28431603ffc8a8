// The cell kinds of TComboGrid and its stored data CellData and CellKind,
// byte for byte.
#include "controls/CmbGrid.h"
#include "framework/ui/test_window.h"
#include "controls/system_controls.h"
#include "framework/form_filer.h"
#include "framework/stream.h"
#include "framework/ui/forms/standard_controls.h"
#include "framework/value_reader.h"
#include "framework/value_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The tagged encoding, written out by hand.
std::string Int(int64_t v) {
    std::string s;
    int bytes = v >= -128 && v <= 127 ? 1 : v >= -32768 && v <= 32767 ? 2 : 4;
    s.push_back(static_cast<char>(bytes == 1 ? 0x02 : bytes == 2 ? 0x03 : 0x04));
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((static_cast<uint64_t>(v) >> (8 * i)) & 0xFF));
    return s;
}
std::string Str(const std::string& text) { return std::string("\x06", 1) + static_cast<char>(text.size()) + text; }
std::string Bool(bool b) { return b ? "\x09" : "\x08"; }
const std::string kListBegin("\x01", 1);
const std::string kListEnd("\x00", 1);

// One group of CellKind: kind, fixed and cell alignment, items, list
// width, margin, limit, editable.
std::string Group(int kind, int fixedAlign, int cellAlign, const std::vector<std::string>& items, int margin = 2,
                  int listWidth = 0, int editLimit = 0, bool editable = true) {
    std::string s = Int(kind) + Int(fixedAlign) + Int(cellAlign) + Int(static_cast<int>(items.size()));
    for (const std::string& i : items) s += Str(i);
    return s + Int(listWidth) + Int(margin) + Int(editLimit) + Bool(editable);
}

std::string CellKindBytes(TComboGrid& g) {
    TMemoryStream m;
    TWriter w(m);
    g.WriteCellKind(w);
    return m.Bytes();
}
std::string CellDataBytes(TComboGrid& g) {
    TMemoryStream m;
    TWriter w(m);
    g.WriteCellData(w);
    return m.Bytes();
}
void ReadCellKind(TComboGrid& g, const std::string& bytes) {
    TMemoryStream m(bytes);
    TReader r(m);
    g.ReadCellKind(r);
}
void ReadCellData(TComboGrid& g, const std::string& bytes) {
    TMemoryStream m(bytes);
    TReader r(m);
    g.ReadCellData(r);
}

// The catalog window's grid as its form stores it.
const char* const kCatalogForm =
    "object Form1: TTestWindow\n"
    "  Width = 435\n"
    "  Height = 300\n"
    "  object ComboGrid1: TComboGrid\n"
    "    Width = 427\n"
    "    Height = 254\n"
    "    ColCount = 8\n"
    "    DefaultColWidth = 40\n"
    "    DefaultRowHeight = 14\n"
    "    RowCount = 2\n"
    "    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goDrawFocusSelected, goColSizing, "
    "goRowMoving, goRowSelect]\n"
    "    ColWidths = (40 45 95 256 72 65 64 52)\n"
    "    CellData = (0 0 '#' 1 0 'DIR' 2 0 'LZH_FILE' 3 0 'TITLE' 4 0 'AUTHOR' 5 0 'NIF_ID' 6 0 'DATE' 7 0 'BYTE')\n"
    "    CellKind = (\n"
    "      0 18 20 2 '' '' 0 2 0 True\n"
    "      0 18 17 2 '' '' 0 2 0 True  0 18 17 2 '' '' 0 2 0 True  0 18 17 2 '' '' 0 2 0 True\n"
    "      0 18 17 2 '' '' 0 2 0 True  0 18 17 2 '' '' 0 2 0 True\n"
    "      0 18 20 2 '' '' 0 2 0 True  0 18 20 2 '' '' 0 2 0 True)\n"
    "  end\n"
    "end\n";

struct Registered {
    Registered() {
        RegisterControlClasses();
        RegisterSystemControls();
        RegisterClass(TTestWindow::StaticClass());
    }
};

}  // namespace

TEST(CellKind, DefaultsOnDemandAndAssign) {
    TOwned<TComboGrid> g(new TComboGrid(nullptr));
    EXPECT_EQ(g->PressedCol(), -1);
    EXPECT_EQ(g->PressedRow(), -1);
    EXPECT_TRUE(g->CellKinds().empty());
    // Without stored kinds every column is plain text, left and middle.
    TCellKind* k = g->GetCellKind(3);
    ASSERT_EQ(g->CellKinds().size(), 4u);
    EXPECT_EQ(g->CellKinds()[0], nullptr);  // made when its column needs it
    EXPECT_EQ(g->GetCellKind(3), k);
    EXPECT_EQ(k->Grid(), g.get());
    EXPECT_EQ(k->Kind(), ckText);
    EXPECT_EQ(k->CellAlign(), caLeft | caMiddle);
    EXPECT_EQ(k->FixedAlign(), 0x11);
    EXPECT_EQ(k->Margin(), 2);
    EXPECT_TRUE(k->Editable());
    EXPECT_EQ(k->Items()->Count(), 0);
    EXPECT_EQ(k->ListWidth(), 0);
    EXPECT_EQ(k->EditLimit(), 0);
    EXPECT_NE(g->GetCellKind(20), nullptr);  // beyond ColCount too
    EXPECT_THROW(g->GetCellKind(-1), EInvalidOperation);

    TCellKind check;
    check.SetKind(ckCheck);
    check.Items()->Add("A", 0);
    check.Items()->Add("B", 1);
    check.SetListWidth(200);
    check.SetMargin(-3);
    check.SetFixedAlign(caCenter);
    check.SetCellAlign(caRight | caBottom);
    check.SetEditLimit(9);
    check.SetEditable(false);
    k->Items()->Add("old");
    k->Assign(check);
    EXPECT_EQ(k->Grid(), g.get());  // not copied
    EXPECT_EQ(k->Kind(), ckCheck);
    EXPECT_EQ(*k->Items(), *check.Items());
    EXPECT_EQ(k->Items()->Numbers(1), 1);
    EXPECT_EQ(k->ListWidth(), 200);
    EXPECT_EQ(k->Margin(), -3);
    EXPECT_EQ(k->FixedAlign(), caCenter);
    EXPECT_EQ(k->CellAlign(), caRight | caBottom);
    EXPECT_EQ(k->EditLimit(), 9);
    EXPECT_FALSE(k->Editable());

    // Button clicks reach the handler with the cell.
    std::vector<std::pair<int, int>> clicks;
    g->DoGridBtnClick(1, 2);  // unassigned: nothing
    g->OnGridBtnClick.Bind([&](TObject* s, int c, int r) {
        EXPECT_EQ(s, g.get());
        clicks.emplace_back(c, r);
    });
    g->DoGridBtnClick(2, 5);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{2, 5}}));
}

TEST(CellKindStream, TheValueCodesAreTheSmallestThatHoldTheValue) {
    TOwned<TComboGrid> g(new TComboGrid(nullptr));
    g->SetColCount(1);
    TCellKind* k = g->GetCellKind(0);
    k->SetKind(ckDropDown);
    k->Items()->Add("AB", 7);  // numbers of other kinds are not stored
    k->SetListWidth(200);
    k->SetMargin(-1);
    k->SetEditLimit(70000);
    k->SetEditable(false);
    const std::string expected(
        "\x01"
        "\x02\x01" "\x02\x11" "\x02\x11" "\x02\x01" "\x06\x02" "AB"
        "\x03\xC8\x00" "\x02\xFF" "\x04\x70\x11\x01\x00" "\x08"
        "\x00",
        25);
    EXPECT_EQ(CellKindBytes(*g), expected);

    // The borders of the integer codes.
    for (int64_t v : {127, -128, 128, -129, 32767, -32768, 32768, -32769}) {
        k->SetListWidth(static_cast<int32_t>(v));
        std::string bytes = CellKindBytes(*g);
        EXPECT_EQ(bytes.substr(13, Int(v).size()), Int(v)) << v;
    }
    EXPECT_EQ(Int(128), std::string("\x03\x80\x00", 3));
    EXPECT_EQ(Int(32768), std::string("\x04\x00\x80\x00\x00", 5));

    // Numbers come back only for check columns.
    ReadCellKind(*g, expected);
    ASSERT_EQ(g->CellKinds().size(), 1u);
    EXPECT_EQ(g->GetCellKind(0)->Items()->Strings(0), "AB");
    EXPECT_EQ(g->GetCellKind(0)->Items()->Numbers(0), 0);
    EXPECT_EQ(g->GetCellKind(0)->ListWidth(), 200);
    EXPECT_EQ(g->GetCellKind(0)->EditLimit(), 70000);
    EXPECT_FALSE(g->GetCellKind(0)->Editable());
}

TEST(CellKindStream, GroupsPerColumnAndTheNumbersOfCheckColumns) {
    TOwned<TComboGrid> g(new TComboGrid(nullptr));
    g->SetColCount(3);
    const std::string plain = Group(0, 17, 17, {});
    EXPECT_EQ(plain, std::string("\x02\x00\x02\x11\x02\x11\x02\x00\x02\x00\x02\x02\x02\x00\x09", 15));
    EXPECT_EQ(CellKindBytes(*g), kListBegin + plain + plain + plain + kListEnd);

    // A check column: 3, 17, 17, 2, A, 0, B, 1, 0, 2, 0, true.
    TCellKind* k = g->GetCellKind(1);
    k->SetKind(ckCheck);
    k->Items()->Add("A", 0);
    k->Items()->Add("B", 1);
    const std::string check = Int(3) + Int(17) + Int(17) + Int(2) + Str("A") + Int(0) + Str("B") + Int(1) + Int(0) +
                              Int(2) + Int(0) + Bool(true);
    const std::string bytes = CellKindBytes(*g);
    EXPECT_EQ(bytes, kListBegin + plain + check + plain + kListEnd);
    TOwned<TComboGrid> back(new TComboGrid(nullptr));
    ReadCellKind(*back, bytes);
    ASSERT_EQ(back->CellKinds().size(), 3u);
    EXPECT_EQ(back->GetCellKind(1)->Kind(), ckCheck);
    EXPECT_EQ(*back->GetCellKind(1)->Items(), *k->Items());  // texts and numbers
    EXPECT_EQ(back->GetCellKind(1)->Grid(), back.get());

    // Bytes are kept as stored: kind 260 is 4, margin 255 is -1.
    ReadCellKind(*back, kListBegin + Group(260, 0x112, 20, {}, 255) + kListEnd);
    ASSERT_EQ(back->CellKinds().size(), 1u);  // the earlier kinds are gone
    EXPECT_EQ(back->GetCellKind(0)->Kind(), 4);
    EXPECT_EQ(back->GetCellKind(0)->FixedAlign(), 0x12);
    EXPECT_EQ(back->GetCellKind(0)->Margin(), -1);
    EXPECT_EQ(back->GetCellKind(1)->Kind(), ckText);  // defaults beyond

    // Fewer columns write fewer groups; the kinds beyond stay unwritten.
    g->SetColCount(8);
    g->GetCellKind(7)->SetKind(ckButton);
    g->SetColCount(5);
    EXPECT_EQ(CellKindBytes(*g), kListBegin + plain + check + plain + plain + plain + kListEnd);
    EXPECT_EQ(g->GetCellKind(7)->Kind(), ckButton);
}

TEST(CellKindStream, AMalformedStreamStopsWithTheReadersErrorKeepingWhatWasRead) {
    TOwned<TComboGrid> g(new TComboGrid(nullptr));
    const std::string first = Group(2, 18, 17, {"x"});
    // The second group has a text where its fixed alignment should be.
    EXPECT_THROW(ReadCellKind(*g, kListBegin + first + Int(0) + Str("18")), EReadError);
    ASSERT_EQ(g->CellKinds().size(), 1u);
    EXPECT_EQ(g->GetCellKind(0)->Kind(), ckButton);
    EXPECT_EQ(g->GetCellKind(0)->Items()->Strings(0), "x");
    EXPECT_EQ(g->GetCellKind(1)->Kind(), ckText);
    EXPECT_EQ(g->GetCellKind(1)->CellAlign(), 0x11);

    // Data that ends early, an item count beyond the data, no list at all.
    EXPECT_THROW(ReadCellKind(*g, kListBegin + first.substr(0, 7)), EReadError);
    EXPECT_TRUE(g->CellKinds().empty());
    EXPECT_THROW(ReadCellKind(*g, kListBegin + Int(0) + Int(17) + Int(17) + Int(2000000000) + Str("")), EReadError);
    EXPECT_THROW(ReadCellKind(*g, Int(0)), EReadError);
    EXPECT_THROW(ReadCellKind(*g, kListBegin + first), EReadError);  // no end
}

TEST(CellDataStream, TriplesOfTheNonEmptyCellsRowByRow) {
    TOwned<TComboGrid> g(new TComboGrid(nullptr));
    g->SetColCount(3);
    g->SetRowCount(3);
    g->SetCell(0, 0, "#");
    g->SetCell(2, 0, "DIR");
    const std::string headings =
        kListBegin + Int(0) + Int(0) + Str("#") + Int(2) + Int(0) + Str("DIR") + kListEnd;
    EXPECT_EQ(CellDataBytes(*g), headings);
    g->SetCell(1, 2, "x");
    g->SetCell(0, 1, "y");
    EXPECT_EQ(CellDataBytes(*g), kListBegin + Int(0) + Int(0) + Str("#") + Int(2) + Int(0) + Str("DIR") + Int(0) +
                                     Int(1) + Str("y") + Int(1) + Int(2) + Str("x") + kListEnd);

    // Reading names only its cells; the others keep their texts.
    TOwned<TComboGrid> other(new TComboGrid(nullptr));
    other->SetColCount(3);
    other->SetRowCount(3);
    other->SetCell(0, 0, "old");
    other->SetCell(1, 0, "keep");
    other->SetCell(1, 1, "keep too");
    ReadCellData(*other, headings);
    EXPECT_EQ(other->Cells(0, 0), "#");
    EXPECT_EQ(other->Cells(1, 0), "keep");
    EXPECT_EQ(other->Cells(2, 0), "DIR");
    EXPECT_EQ(other->Cells(1, 1), "keep too");

    // A text for a cell outside the grid is an error, not a lost text.
    EXPECT_THROW(ReadCellData(*other, kListBegin + Int(3) + Int(0) + Str("z") + kListEnd), EReadError);
    EXPECT_THROW(ReadCellData(*other, kListBegin + Int(0) + Int(0) + kListEnd), EReadError);
}

TEST(CatalogGrid, TheStoredFormIsReadAndWrittenBackByteForByte) {
    Registered registered;
    TOwned<TTestWindow> form(new TTestWindow(nullptr));
    ReadComponentText(form.get(), kCatalogForm);
    auto* g = ObjectCast<TComboGrid>(form->FindComponent("ComboGrid1"));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->ColWidths(3), 256);
    EXPECT_EQ(g->Cells(7, 0), "BYTE");
    EXPECT_EQ(g->Cells(0, 1), "");
    ASSERT_EQ(g->CellKinds().size(), 8u);
    for (int c = 0; c < 8; ++c) {
        TCellKind* k = g->GetCellKind(c);
        EXPECT_EQ(k->Kind(), ckText);
        EXPECT_EQ(k->FixedAlign(), caCenter | caMiddle) << c;
        EXPECT_EQ(k->CellAlign(), c == 0 || c >= 6 ? caRight | caMiddle : caLeft | caMiddle) << c;
        EXPECT_EQ(k->Items()->Count(), 2);
        EXPECT_EQ(k->Margin(), 2);
    }

    // The stored kinds byte for byte, after ColWidths and CellData.
    const std::string text = Group(0, 18, 17, {"", ""});
    const std::string right = Group(0, 18, 20, {"", ""});
    const std::string kinds = kListBegin + right + text + text + text + text + text + right + right + kListEnd;
    EXPECT_EQ(CellKindBytes(*g), kinds);
    TMemoryStream binary;
    TFormWriter writer(binary);
    writer.WriteRootComponent(form.get());
    const std::string& bytes = binary.Bytes();
    const size_t widths = bytes.find("\x09" "ColWidths");
    const size_t data = bytes.find("\x08" "CellData");
    const size_t kind = bytes.find(std::string("\x08" "CellKind") + kinds + kListEnd);
    ASSERT_NE(kind, std::string::npos);
    EXPECT_LT(widths, data);
    EXPECT_LT(data, kind);

    // The text form comes back the same, read and written again.
    const std::string written = WriteComponentText(form.get());
    EXPECT_NE(written.find("    CellData = (\n      0 0 '#' 1 0 'DIR' 2 0 'LZH_FILE'"), std::string::npos) << written;
    TOwned<TTestWindow> again(new TTestWindow(nullptr));
    ReadComponentText(again.get(), written);
    EXPECT_EQ(WriteComponentText(again.get()), written);
}
