#include "framework/form_filer.h"
#include "framework/ui/graphics/canvas.h"
#include "framework/ui/core/event_guard.h"
#include "framework/ui/grid/grids.h"
#include "framework/ui/grid/inplace_editor.h"
#include "framework/ui/forms/standard_controls.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A window holding grids, with the handlers a stored form names.
class TGridForm : public TWinControl {
    TANSU_CLASS(TGridForm, TWinControl)
public:
    explicit TGridForm(TComponent* owner) : TWinControl(owner) {}
    bool IsTopLevel() const override { return Parent() == nullptr; }

    void Grid1DblClick(TObject* sender) {
        auto* g = ObjectCast<TStringGrid>(sender);
        dblClickRows.push_back(g ? g->Row() : -1);
    }
    void Grid1KeyPress(TObject*, char& key) { keys.push_back(key); }
    void Grid1RowMoved(TObject* sender, int from, int to) {
        moves.emplace_back(from, to);
        senders.push_back(sender);
    }

    std::vector<int> dblClickRows;
    std::vector<char> keys;
    std::vector<std::pair<int, int>> moves;
    std::vector<TObject*> senders;
};

TANSU_IMPLEMENT_CLASS(TGridForm)
void TGridForm::DeclarePublished(TClassBuilder<TGridForm>& c) {
    c.Method("Grid1DblClick", &TGridForm::Grid1DblClick);
    c.Method("Grid1KeyPress", &TGridForm::Grid1KeyPress);
    c.Method("Grid1RowMoved", &TGridForm::Grid1RowMoved);
}

// A grid answering hooks that have no event of their own: each is one
// virtual function of the component, which the widget asks directly.
class TLimitedGrid : public TStringGrid {
public:
    explicit TLimitedGrid(TComponent* owner) : TStringGrid(owner) {}
    int limitAsked = 0;

protected:
    int GetEditLimit() override {
        ++limitAsked;
        return 3;
    }
    bool CanEditShow() override { return TStringGrid::CanEditShow() && Col() != 3; }
    std::string GetEditMask(int ACol, int ARow) override {
        if (ACol == 4) throw EConvertError("no mask here");
        return TStringGrid::GetEditMask(ACol, ARow);
    }
};

// The catalog grid's stored form, in the layout the writer gives it.
const char* const kCatalogForm =
    "object Form1: TGridForm\n"
    "  Left = 0\n"
    "  Top = 0\n"
    "  Width = 534\n"
    "  Height = 300\n"
    "  object Grid1: TStringGrid\n"
    "    Left = 0\n"
    "    Top = 0\n"
    "    Width = 534\n"
    "    Height = 250\n"
    "    TabOrder = 0\n"
    "    ColCount = 8\n"
    "    DefaultColWidth = 40\n"
    "    DefaultRowHeight = 14\n"
    "    RowCount = 2\n"
    "    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goDrawFocusSelected, goColSizing, "
    "goRowMoving, goRowSelect]\n"
    "    OnDblClick = Grid1DblClick\n"
    "    OnKeyPress = Grid1KeyPress\n"
    "    OnRowMoved = Grid1RowMoved\n"
    "    ColWidths = (40 45 95 256 72 65 64 52)\n"
    "  end\n"
    "  object Grid2: TStringGrid\n"
    "    Left = 0\n"
    "    Top = 250\n"
    "    Width = 534\n"
    "    Height = 50\n"
    "    TabOrder = 1\n"
    "  end\n"
    "end\n";

struct CatalogWindow {
    TOwned<TGridForm> form{new TGridForm(nullptr)};
    TStringGrid* grid = nullptr;
    TStringGrid* other = nullptr;

    CatalogWindow() {
        RegisterControlClasses();
        RegisterClass(TGridForm::StaticClass());
        ReadComponentText(form.get(), kCatalogForm);
        grid = ObjectCast<TStringGrid>(form->FindComponent("Grid1"));
        other = ObjectCast<TStringGrid>(form->FindComponent("Grid2"));
    }
    // Shown, active, with the catalog grid focused and `rows` records.
    void Show(int rows) {
        grid->SetRowCount(rows);
        for (int r = 1; r < rows; ++r) {
            grid->SetCell(0, r, std::to_string(r));
            grid->SetCell(1, r, "d" + std::to_string(r));
        }
        form->Widget()->show();
        QApplication::setActiveWindow(form->Widget());
        (void)QTest::qWaitForWindowActive(form->Widget());
        grid->SetFocus();
        QApplication::processEvents();
    }
    QWidget* Cells() const { return static_cast<QAbstractScrollArea*>(grid->Widget())->viewport(); }
    QPoint CenterOf(int col, int row) const {
        TRect r = grid->CellRect(col, row);
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

}  // namespace

TEST(Grids, ReadFromAStoredFormByNameAndWrittenBackEqual) {
    CatalogWindow w;
    TStringGrid* g = w.grid;
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Parent(), w.form.get());
    EXPECT_EQ(g->ColCount(), 8);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(g->FixedRows(), 1);
    const int widths[] = {40, 45, 95, 256, 72, 65, 64, 52};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(g->ColWidths(c), widths[c]) << c;
    EXPECT_EQ(g->RowHeights(1), 14);
    EXPECT_EQ(g->Options(), goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goDrawFocusSelected |
                                goColSizing | goRowMoving | goRowSelect);
    EXPECT_TRUE(g->TabStop());
    EXPECT_TRUE(g->OnDblClick.Assigned());

    // Published properties by name.
    EXPECT_EQ(GetOrdProp(g, "DefaultRowHeight"), 14);
    SetOrdProp(g, "RowCount", 4);
    EXPECT_EQ(g->RowCount(), 4);
    const TPropInfo& options = GetPropInfo(g, "Options");
    EXPECT_EQ(SetNames(options, goRowMoving | goRowSelect), (std::vector<std::string>{"goRowMoving", "goRowSelect"}));
    EXPECT_EQ(SetNames(options, goThumbTracking), std::vector<std::string>{"goThumbTracking"});
    auto* area = static_cast<QAbstractScrollArea*>(g->Widget());
    SetOrdProp(g, "ScrollBars", static_cast<int>(TScrollStyle::ssVertical));
    EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    SetOrdProp(g, "ScrollBars", static_cast<int>(TScrollStyle::ssBoth));
    for (const char* e : {"OnClick", "OnDblClick", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnEnter", "OnExit",
                          "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnDrawCell", "OnRowMoved", "OnColumnMoved",
                          "OnGetEditMask", "OnGetEditText", "OnSetEditText", "OnSelectCell", "OnTopLeftChanged"})
        EXPECT_EQ(GetPropInfo(g, e).kind, TPropKind::Event) << e;
    SetOrdProp(g, "RowCount", 2);

    EXPECT_EQ(WriteComponentText(w.form.get()), kCatalogForm);

    // Sizes are stored only when one differs from the default; a changed
    // row height stores every height.
    EXPECT_EQ(WriteComponentText(w.form.get()).find("RowHeights"), std::string::npos);
    w.other->SetRowHeights(2, 30);
    std::string text = WriteComponentText(w.form.get());
    EXPECT_NE(text.find("    RowHeights = (24 24 30 24 24)\n  end"), std::string::npos) << text;
    EXPECT_EQ(text.find("ColWidths = (64"), std::string::npos) << text;

    // And read back into a fresh window.
    TOwned<TGridForm> again(new TGridForm(nullptr));
    ReadComponentText(again.get(), text);
    auto* g2 = ObjectCast<TStringGrid>(again->FindComponent("Grid2"));
    ASSERT_NE(g2, nullptr);
    EXPECT_EQ(g2->RowHeights(2), 30);
    EXPECT_EQ(g2->RowHeights(1), 24);
    EXPECT_EQ(WriteComponentText(again.get()), text);
}

TEST(Grids, RealInputRaisesEachEventOnceWithItsArguments) {
    CatalogWindow w;
    w.Show(5);
    TStringGrid* g = w.grid;
    ASSERT_TRUE(g->Focused());

    // A double click on a row selects it first, then reports once.
    const QPoint p = w.CenterOf(3, 3);
    QTest::mousePress(w.Cells(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(w.Cells(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(w.Cells(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(w.Cells(), Qt::LeftButton, {}, p);
    EXPECT_EQ(w.form->dblClickRows, std::vector<int>{3});
    EXPECT_EQ(g->Row(), 3);

    // Enter, Esc and a letter each reach OnKeyPress exactly once, and the
    // key-down of the same keys reaches OnKeyDown once.
    std::vector<uint16_t> downs;
    g->OnKeyDown.Bind([&](TObject*, uint16_t& key, TShiftState) { downs.push_back(key); });
    QTest::keyClick(g->Widget(), Qt::Key_Return);
    QTest::keyClick(g->Widget(), Qt::Key_Escape);
    QTest::keyClick(g->Widget(), Qt::Key_A);
    EXPECT_EQ(w.form->keys, (std::vector<char>{'\r', '\x1b', 'a'}));
    EXPECT_EQ(downs, (std::vector<uint16_t>{0x0D, 0x1B, 'A'}));

    // A key handler may keep a key from the grid: Down moves the row only
    // when nobody took it.  Moving the current cell raises OnClick.
    int clicks = 0;
    g->OnClick.Bind([&](TObject*) { ++clicks; });
    QTest::keyClick(g->Widget(), Qt::Key_Down);
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(clicks, 1);
    g->OnKeyDown.Bind([](TObject*, uint16_t& key, TShiftState) {
        if (key == 0x26) key = 0;  // Up
    });
    QTest::keyClick(g->Widget(), Qt::Key_Up);
    EXPECT_EQ(g->Row(), 4);

    // Dragging record 1 by its number cell below record 3 moves its texts.
    QTest::mousePress(w.Cells(), Qt::LeftButton, {}, w.CenterOf(0, 1));
    QTest::mouseMove(w.Cells(), w.CenterOf(0, 2));
    QTest::mouseMove(w.Cells(), w.CenterOf(0, 3));
    QTest::mouseRelease(w.Cells(), Qt::LeftButton, {}, w.CenterOf(0, 3));
    EXPECT_EQ(w.form->moves, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(w.form->senders, std::vector<TObject*>{g});
    EXPECT_EQ(g->Cells(0, 3), "1");
    EXPECT_EQ(g->Cells(1, 3), "d1");
    EXPECT_EQ(g->Cells(1, 1), "d2");
    EXPECT_EQ(g->Cells(1, 2), "d3");

    // A failing handler ends at the exception box; the grid goes on.
    std::vector<std::string> shown;
    ui::SetExceptionHandler([&](const std::exception& e) { shown.push_back(e.what()); });
    g->OnKeyPress.Bind([](TObject*, char&) { throw EConvertError("'x' bad"); });
    QTest::keyClick(g->Widget(), Qt::Key_B);
    ui::SetExceptionHandler(nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"'x' bad"});
}

TEST(Grids, TabWalksTheFormAndFocusEventsComeOncePerMove) {
    CatalogWindow w;
    w.Show(3);
    int enters = 0, exits = 0, otherEnters = 0;
    w.grid->OnEnter.Bind([&](TObject*) { ++enters; });
    w.grid->OnExit.Bind([&](TObject*) { ++exits; });
    w.other->OnEnter.Bind([&](TObject*) { ++otherEnters; });

    QTest::keyClick(w.grid->Widget(), Qt::Key_Tab);
    EXPECT_TRUE(w.other->Focused());
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(otherEnters, 1);
    QTest::keyClick(w.other->Widget(), Qt::Key_Tab);  // wraps around
    EXPECT_TRUE(w.grid->Focused());
    EXPECT_EQ(enters, 1);

    // With goTabs the grid keeps Tab and moves between its cells.
    w.grid->SetOptions(w.grid->Options() & ~goRowSelect);
    w.grid->SetOptions(w.grid->Options() | goTabs);
    w.grid->SetCol(1);
    QTest::keyClick(w.grid->Widget(), Qt::Key_Tab);
    EXPECT_TRUE(w.grid->Focused());
    EXPECT_EQ(w.grid->Col(), 2);
    EXPECT_EQ(exits, 1);
}

TEST(Grids, CellsAreDrawnThroughDrawCellWithTheCanvasOfThePaint) {
    CatalogWindow w;
    w.Show(3);
    TStringGrid* g = w.grid;
    EXPECT_THROW(g->Canvas(), EInvalidOperation);  // only while painting

    struct Drawn {
        int col, row;
        TRect rect;
        TGridDrawState state;
    };
    std::vector<Drawn> drawn;
    bool canvas = true;
    g->OnDrawCell.Bind([&](TObject*, int c, int r, const TRect& rect, TGridDrawState s) {
        drawn.push_back({c, r, rect, s});
        canvas = canvas && g->IsPainting();
        // The handler paints over the default text of cell (2, 1).
        if (c == 2 && r == 1) {
            g->Canvas().SetBrush(ui::Brush{ui::colors::Black, ui::BrushStyle::Solid});
            g->Canvas().FillRect(rect);
        }
    });
    g->SetCell(2, 1, "text");
    QImage image = w.Cells()->grab().toImage();
    EXPECT_TRUE(canvas);
    auto find = [&](int c, int r) -> const Drawn* {
        for (const Drawn& d : drawn)
            if (d.col == c && d.row == r) return &d;
        return nullptr;
    };
    const Drawn* heading = find(1, 0);
    const Drawn* cell = find(2, 1);
    ASSERT_TRUE(heading && cell);
    EXPECT_TRUE(heading->state & gdFixed);
    EXPECT_FALSE(cell->state & gdFixed);
    EXPECT_TRUE(cell->state & gdSelected);  // the row is selected
    EXPECT_EQ(cell->rect, g->CellRect(2, 1));
    const QPoint mid((cell->rect.left + cell->rect.right) / 2, (cell->rect.top + cell->rect.bottom) / 2);
    EXPECT_EQ(image.pixelColor(mid * image.devicePixelRatio()), QColor(Qt::black));

    // Without default drawing nothing is filled for the handler.
    g->SetDefaultDrawing(false);
    drawn.clear();
    (void)w.Cells()->grab();
    EXPECT_NE(find(2, 1), nullptr);
}

TEST(Grids, EditingThroughTheComponentsSteps) {
    CatalogWindow w;
    w.Show(3);
    TStringGrid* g = w.grid;
    g->SetOptions(ui::kDefaultGridOptions | goEditing);
    g->SetCol(2);
    g->SetRow(1);
    std::vector<std::string> masks, written;
    g->OnGetEditMask.Bind([&](TObject*, int c, int r, std::string&) { masks.push_back(std::to_string(c) + "," + std::to_string(r)); });
    g->OnSetEditText.Bind([&](TObject*, int c, int r, const std::string& v) {
        written.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + v);
    });
    int enters = 0, exits = 0;
    g->OnEnter.Bind([&](TObject*) { ++enters; });
    g->OnExit.Bind([&](TObject*) { ++exits; });

    // The first character opens the editor; what is typed there still
    // reaches OnKeyPress once per character.
    QTest::keyClick(g->Widget(), Qt::Key_X);
    ASSERT_TRUE(g->EditorMode());
    ASSERT_NE(g->InplaceEditor(), nullptr);
    EXPECT_TRUE(g->InplaceEditor()->hasFocus());
    QTest::keyClick(g->InplaceEditor(), Qt::Key_Y);
    EXPECT_EQ(w.form->keys, (std::vector<char>{'x', 'y'}));
    EXPECT_EQ(masks, std::vector<std::string>{"2,1"});

    // Enter closes the editor and the text goes back into the cell.
    QTest::keyClick(g->InplaceEditor(), Qt::Key_Return);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(g->Cells(2, 1), "xy");
    EXPECT_EQ(written, std::vector<std::string>{"2,1=xy"});
    EXPECT_TRUE(g->Focused());
    // Moving the focus between the grid and its editor is no leaving.
    EXPECT_EQ(enters, 0);
    EXPECT_EQ(exits, 0);

    // Leaving from the editor is.
    g->SetEditorMode(true);
    EXPECT_TRUE(g->InplaceEditor()->hasFocus());
    w.other->SetFocus();
    EXPECT_EQ(exits, 1);
    g->SetFocus();
    EXPECT_EQ(enters, 1);
}

TEST(Grids, AComponentAnswersTheWidgetsHooksItself) {
    TOwned<TGridForm> form(new TGridForm(nullptr));
    form->SetBounds(0, 0, 400, 200);
    auto* g = new TLimitedGrid(form.get());
    g->SetParent(form.get());
    g->SetBounds(0, 0, 400, 200);
    g->SetColCount(6);
    g->SetRowCount(3);
    g->SetOptions(ui::kDefaultGridOptions | goEditing);
    form->Widget()->show();
    QApplication::setActiveWindow(form->Widget());
    g->SetFocus();
    g->SetCol(2);
    g->SetRow(1);
    g->SetEditorMode(true);
    ASSERT_NE(g->InplaceEditor(), nullptr);
    EXPECT_FALSE(g->InplaceEditor()->isHidden());
    EXPECT_EQ(g->InplaceEditor()->MaxLength(), 3);
    EXPECT_GT(g->limitAsked, 0);

    // The component's own test keeps the editor off column 3.
    g->SetCol(3);
    EXPECT_TRUE(g->InplaceEditor()->isHidden());

    // A hook that fails ends at the exception box; the grid goes on, here
    // with an editor without a mask.
    std::vector<std::string> shown;
    ui::SetExceptionHandler([&](const std::exception& e) { shown.push_back(e.what()); });
    g->SetCol(4);
    ui::SetExceptionHandler(nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"no mask here"});
    EXPECT_FALSE(g->InplaceEditor()->isHidden());
    EXPECT_EQ(g->InplaceEditor()->EditMask(), "");
}
