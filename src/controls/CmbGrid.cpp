#include "controls/CmbGrid.h"

#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "framework/ui/graphics/canvas.h"
#include "framework/ui/graphics/system_metrics.h"
#include "framework/value_reader.h"
#include "framework/value_writer.h"

// --- TCellKind --------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TCellKind)
void TCellKind::DeclarePublished(TClassBuilder<TCellKind>&) {}

TCellKind::TCellKind(TComboGrid* grid) : grid_(grid), items_(std::make_unique<TStringList>()) {}

TCellKind::~TCellKind() = default;

void TCellKind::SetCellAlign(TCellAlign value) {
    if (value == cellAlign_) return;
    cellAlign_ = value;
    Changed();
}

void TCellKind::SetFixedAlign(TCellAlign value) {
    if (value == fixedAlign_) return;
    fixedAlign_ = value;
    Changed();
}

void TCellKind::Changed() {
    if (grid_) grid_->InvalidateGrid();
}

void TCellKind::Assign(const TCellKind& source) {
    if (&source == this) return;
    kind_ = source.kind_;
    items_->Assign(source.items_.get());
    listWidth_ = source.listWidth_;
    margin_ = source.margin_;
    fixedAlign_ = source.fixedAlign_;
    cellAlign_ = source.cellAlign_;
    editLimit_ = source.editLimit_;
    editable_ = source.editable_;
}

// --- TComboGrid -------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TComboGrid)
void TComboGrid::DeclarePublished(TClassBuilder<TComboGrid>& c) {
    c.Event("OnGridBtnClick", &TComboGrid::OnGridBtnClick);
}

TComboGrid::TComboGrid(TComponent* owner) : TStringGrid(owner) {}

TComboGrid::~TComboGrid() = default;

TCellKind* TComboGrid::GetCellKind(int ACol) {
    if (ACol < 0) throw EInvalidOperation("Grid index out of range");
    const size_t index = static_cast<size_t>(ACol);
    if (index >= cellKinds_.size()) cellKinds_.resize(index + 1);
    if (!cellKinds_[index]) cellKinds_[index] = std::make_unique<TCellKind>(this);
    return cellKinds_[index].get();
}

void TComboGrid::DoGridBtnClick(int ACol, int ARow) { OnGridBtnClick(this, ACol, ARow); }

// ---- Drawing ---------------------------------------------------------------------

void TComboGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
    if (Rect.IsEmpty()) return;
    if (DefaultDrawing()) {
        const TCellKind& kind = *GetCellKind(ACol);
        const std::string text = Cells(ACol, ARow);
        if (State & gdFixed)
            DrawFixedText(Rect, kind, text);
        else
            DrawCellText(Rect, kind, text);
    }
    // The string grid's own text drawing is replaced, its event is kept.
    TCustomGrid::DrawCell(ACol, ARow, Rect, State);
}

void TComboGrid::DrawFixedText(const TRect& rect, const TCellKind& kind, const std::string& text) {
    DrawAlignedText(rect, kind.FixedAlign(), kind.Margin(), 2, text);
}

void TComboGrid::DrawCellText(const TRect& rect, const TCellKind& kind, const std::string& text) {
    // A text column may show its numbers through a picture format (item 1).
    const TStringList& items = *kind.Items();
    if (kind.Kind() == ckText && items.Count() >= 2 && !items.Strings(1).empty() && !text.empty()) {
        double value = 0;
        if (TryStrToFloat(text, value)) {
            try {
                DrawAlignedText(rect, kind.CellAlign(), kind.Margin(), 0, FormatFloat(items.Strings(1), value));
                return;
            } catch (const Exception&) {
                // A format that cannot be applied leaves the text as it is.
            }
        }
    }
    DrawAlignedText(rect, kind.CellAlign(), kind.Margin(), 0, text);
}

// The text's reference point: its left end `margin` pixels in from the
// left edge, its centre on the middle, or its right end `margin` pixels
// in from the right edge; its top centred, 2 pixels below the top edge, or
// `bottomGap` pixels above the bottom edge.  The cell is filled first and
// the text clipped to it.
void TComboGrid::DrawAlignedText(const TRect& rect, TCellAlign align, int margin, int bottomGap,
                                 const std::string& text) {
    ui::Canvas& canvas = Canvas();
    const int h = canvas.TextHeight(text);
    const int w = rect.Width();
    const int hr = rect.Height();
    ui::TextAlign reference = ui::TextAlign::Left;
    int x = margin;
    int y = (hr - h) / 2;
    if (align & caCenter) {
        reference = ui::TextAlign::Center;
        x = w / 2;
    }
    if (align & caRight) {
        reference = ui::TextAlign::Right;
        x = w - margin;
    }
    if (align & caTop) y = 2;
    if (align & caBottom) y = hr - h - bottomGap;
    canvas.TextRect(rect, rect.left + x, rect.top + y, text, reference);
}

// ---- Stored data -----------------------------------------------------------------

void TComboGrid::DefineProperties(TFiler& filer) {
    TStringGrid::DefineProperties(filer);
    filer.DefineProperty(
        "CellData", [this](TReader& r) { ReadCellData(r); }, [this](TWriter& w) { WriteCellData(w); }, true);
    filer.DefineProperty(
        "CellKind", [this](TReader& r) { ReadCellKind(r); }, [this](TWriter& w) { WriteCellKind(w); }, true);
}

void TComboGrid::WriteCellData(TWriter& writer) {
    writer.WriteListBegin();
    for (int row = 0; row < RowCount(); ++row) {
        for (int col = 0; col < ColCount(); ++col) {
            const std::string text = Cells(col, row);
            if (text.empty()) continue;
            writer.WriteInteger(col);
            writer.WriteInteger(row);
            writer.WriteString(text);
        }
    }
    writer.WriteListEnd();
}

void TComboGrid::ReadCellData(TReader& reader) {
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        const int col = reader.ReadInteger();
        const int row = reader.ReadInteger();
        const std::string text = reader.ReadString();
        // A text for a cell the grid does not have would be lost.
        if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
            throw EReadError("Cell data for column " + std::to_string(col) + ", row " + std::to_string(row) +
                             " lies outside the grid");
        SetCell(col, row, text);
    }
    reader.ReadListEnd();
}

void TComboGrid::WriteCellKind(TWriter& writer) {
    writer.WriteListBegin();
    for (int col = 0; col < ColCount(); ++col) {
        const TCellKind& kind = *GetCellKind(col);
        const TStringList& items = *kind.Items();
        writer.WriteInteger(kind.Kind());
        writer.WriteInteger(kind.FixedAlign());
        writer.WriteInteger(kind.CellAlign());
        writer.WriteInteger(items.Count());
        for (int i = 0; i < items.Count(); ++i) {
            writer.WriteString(items.Strings(i));
            if (kind.Kind() == ckCheck) writer.WriteInteger(items.Numbers(i));
        }
        writer.WriteInteger(kind.ListWidth());
        writer.WriteInteger(kind.Margin());
        writer.WriteInteger(kind.EditLimit());
        writer.WriteBoolean(kind.Editable());
    }
    writer.WriteListEnd();
}

void TComboGrid::ReadCellKind(TReader& reader) {
    cellKinds_.clear();
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        auto kind = std::make_unique<TCellKind>(this);
        // Bytes are kept as stored: the low 8 bits, the margin signed.
        kind->SetKind(static_cast<uint8_t>(reader.ReadInteger()));
        kind->SetFixedAlign(static_cast<TCellAlign>(reader.ReadInteger()));
        kind->SetCellAlign(static_cast<TCellAlign>(reader.ReadInteger()));
        const int count = reader.ReadInteger();
        for (int i = 0; i < count; ++i) {
            const std::string text = reader.ReadString();
            const int32_t number = kind->Kind() == ckCheck ? reader.ReadInteger() : 0;
            kind->Items()->Add(text, number);
        }
        kind->SetListWidth(reader.ReadInteger());
        kind->SetMargin(static_cast<int8_t>(static_cast<uint8_t>(reader.ReadInteger())));
        kind->SetEditLimit(reader.ReadInteger());
        kind->SetEditable(reader.ReadBoolean());
        cellKinds_.push_back(std::move(kind));
    }
    reader.ReadListEnd();
}

int ArrowWidth() {
    static const int width = ui::ScrollArrowWidth();
    return width;
}
