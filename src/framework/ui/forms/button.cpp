#include "framework/ui/forms/button.h"

#include "framework/ui/core/event_guard.h"
#include "framework/ui/forms/form.h"
#include "framework/ui/graphics/qt_text.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <array>

namespace {

// What each kind gives: caption (cp932), results and the style's picture.
struct KindLook {
    const char* caption;
    int modalResult;
    bool isDefault;
    bool isCancel;
    QStyle::StandardPixmap pixmap;
};

constexpr std::array<KindLook, 11> kKinds = {{
    {"", mrNone, false, false, QStyle::SP_CustomBase},
    {"OK", mrOk, true, false, QStyle::SP_DialogOkButton},
    {"ｷｬﾝｾﾙ", mrCancel, false, true, QStyle::SP_DialogCancelButton},
    {"ﾍﾙﾌﾟ(&H)", mrNone, false, false, QStyle::SP_DialogHelpButton},
    {"はい(&Y)", mrYes, true, false, QStyle::SP_DialogYesButton},
    {"いいえ(&N)", mrNo, false, true, QStyle::SP_DialogNoButton},
    {"閉じる(&C)", mrNone, false, false, QStyle::SP_DialogCloseButton},
    {"中止", mrAbort, false, false, QStyle::SP_DialogAbortButton},
    {"再試行(&R)", mrRetry, false, false, QStyle::SP_DialogRetryButton},
    {"無視(&I)", mrIgnore, false, false, QStyle::SP_DialogIgnoreButton},
    {"すべて(&A)", mrAll, false, false, QStyle::SP_DialogYesToAllButton},
}};

const KindLook& LookOf(TBitBtnKind kind) { return kKinds[static_cast<size_t>(kind)]; }

template <class C>
void PublishButton(TClassBuilder<C>& c) {
    c.Property("Caption", &C::Caption, &C::SetCaption);
    c.Property("Font", &C::Font).StoredWhen(&C::IsFontStored);
    c.Property("ParentFont", &C::ParentFont, &C::SetParentFont).Default(1);
    c.Property("TabStop", &C::TabStop, &C::SetTabStop).Default(1);
    c.Event("OnClick", &C::OnClick);
    PublishDragEvents(c);
    PublishFocusAndKeyEvents(c);
    PublishMouseEvents(c);
}

}  // namespace

// --- TButton ------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TButton)
void TButton::DeclarePublished(TClassBuilder<TButton>& c) {
    c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(0);
    c.Property("Default", &TButton::Default, &TButton::SetDefault).Default(0);
    c.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
    PublishButton(c);
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

QWidget* TButton::CreateWidget() {
    auto* b = new QPushButton();
    QObject::connect(b, &QPushButton::clicked, b, [this] { ui::RunGuarded([this] { Click(); }); });
    return b;
}

QPushButton* TButton::Button() { return static_cast<QPushButton*>(Widget()); }

void TButton::InitWidget() {
    TWinControl::InitWidget();
    Button()->setDefault(default_);
    Button()->setAutoDefault(false);
}

void TButton::TextChanged() {
    if (HasWidget()) Button()->setText(ui::ToQt(Caption()));
}

void TButton::SetDefault(bool value) {
    default_ = value;
    if (HasWidget()) Button()->setDefault(value);
}

void TButton::Click() {
    if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

// --- TBitBtn ------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TBitBtn)
void TBitBtn::DeclarePublished(TClassBuilder<TBitBtn>& c) {
    c.Property("Cancel", &TBitBtn::Cancel, &TBitBtn::SetStoredCancel).StoredWhen(&TBitBtn::IsCancelStored);
    c.Property("Default", &TBitBtn::Default, &TBitBtn::SetStoredDefault).StoredWhen(&TBitBtn::IsDefaultStored);
    c.Property("ModalResult", &TBitBtn::ModalResult, &TBitBtn::SetStoredModalResult)
        .StoredWhen(&TBitBtn::IsModalResultStored);
    c.Property("Glyph", &TBitBtn::Glyph);
    c.Enum("Kind", &TBitBtn::Kind, &TBitBtn::SetKind,
           {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry", "bkIgnore",
            "bkAll"})
        .Default(0);
    c.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1);
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(new TBitmap()) {
    glyph_->OnChange.Bind([this](TObject*) { ApplyPicture(); });
}

TBitBtn::~TBitBtn() { delete glyph_; }

void TBitBtn::SetKind(TBitBtnKind kind) {
    kind_ = kind;
    if (kind == TBitBtnKind::bkCustom) {
        ApplyPicture();
        return;
    }
    const KindLook& look = LookOf(kind);
    bool loading = IsLoading();
    if (!(loading && (given_ & kDefaultGiven))) SetDefault(look.isDefault);
    if (!(loading && (given_ & kCancelGiven))) SetCancel(look.isCancel);
    if (!(loading && (given_ & kResultGiven))) SetModalResult(look.modalResult);
    // A form that gives its own caption keeps it.
    if (!IsLoading() || Caption().empty()) SetCaption(look.caption);
    ApplyPicture();
}

void TBitBtn::SetNumGlyphs(int count) {
    numGlyphs_ = std::clamp(count, 1, 4);
    ApplyPicture();
}

void TBitBtn::SetStoredDefault(bool value) {
    if (IsLoading()) given_ |= kDefaultGiven;
    SetDefault(value);
}

void TBitBtn::SetStoredCancel(bool value) {
    if (IsLoading()) given_ |= kCancelGiven;
    SetCancel(value);
}

void TBitBtn::SetStoredModalResult(int result) {
    if (IsLoading()) given_ |= kResultGiven;
    SetModalResult(result);
}

void TBitBtn::Loaded() {
    TButton::Loaded();
    given_ = 0;
}

bool TBitBtn::IsDefaultStored() const { return Default() != LookOf(kind_).isDefault; }
bool TBitBtn::IsCancelStored() const { return Cancel() != LookOf(kind_).isCancel; }
bool TBitBtn::IsModalResultStored() const { return ModalResult() != LookOf(kind_).modalResult; }

void TBitBtn::InitWidget() {
    TButton::InitWidget();
    ApplyPicture();
}

void TBitBtn::ApplyPicture() {
    if (!HasWidget()) return;
    QIcon icon;
    QImage image = glyph_->Image();
    if (!image.isNull()) {
        // The images lie side by side; the bottom-left pixel's colour is
        // transparent.
        int w = image.width() / numGlyphs_;
        auto part = [&](int i) {
            QImage piece = image.copy(i * w, 0, w, image.height()).convertToFormat(QImage::Format_ARGB32);
            QRgb clear = piece.pixel(0, piece.height() - 1);
            for (int y = 0; y < piece.height(); ++y)
                for (int x = 0; x < piece.width(); ++x)
                    if (piece.pixel(x, y) == clear) piece.setPixel(x, y, qRgba(0, 0, 0, 0));
            return QPixmap::fromImage(piece);
        };
        icon.addPixmap(part(0), QIcon::Normal);
        if (numGlyphs_ > 1) icon.addPixmap(part(1), QIcon::Disabled);
    } else if (kind_ != TBitBtnKind::bkCustom) {
        icon = Button()->style()->standardIcon(LookOf(kind_).pixmap, nullptr, Button());
    }
    Button()->setIcon(icon);
}
