#include "framework/ui/controls/label.h"

#include "framework/cp932_chars.h"
#include "framework/ui/graphics/qt_graphics.h"
#include "framework/ui/graphics/qt_text.h"

#include <QFontMetrics>
#include <QLabel>

TANSU_IMPLEMENT_CLASS(TLabel)
void TLabel::DeclarePublished(TClassBuilder<TLabel>& c) {
    c.Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, {"taLeftJustify", "taRightJustify", "taCenter"})
        .Default(0);
    c.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(1);
    c.Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
    c.Property("Color", &TLabel::Color, &TLabel::SetColor).NotStored();
    c.Property("Font", &TLabel::Font).StoredWhen(&TLabel::IsFontStored);
    c.Property("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor).Default(1);
    c.Property("ParentFont", &TLabel::ParentFont, &TLabel::SetParentFont).Default(1);
    c.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(1);
    c.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(0);
    c.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(0);
    c.Event("OnClick", &TLabel::OnClick);
    c.Event("OnDblClick", &TLabel::OnDblClick);
    PublishDragEvents(c);
    PublishMouseEvents(c);
}

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

QWidget* TLabel::CreateWidget() {
    auto* label = new QLabel();
    label->setTextFormat(Qt::PlainText);
    return label;
}

void TLabel::InitWidget() {
    TControl::InitWidget();
    // Beneath the windowed controls, as if painted on the parent.
    Widget()->lower();
    ApplyText();
}

std::string TLabel::DisplayText() const {
    const std::string& text = Caption();
    if (!showAccelChar_) return text;
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t n = ui::Cp932CharLength(text, i);
        if (n == 1 && text[i] == '&') {
            // "&&" shows one "&"; a single "&" only marks the next character.
            if (i + 1 < text.size() && text[i + 1] == '&') out.push_back('&');
            i += i + 1 < text.size() && text[i + 1] == '&' ? 2 : 1;
            continue;
        }
        out.append(text, i, n);
        i += n;
    }
    return out;
}

void TLabel::ApplyText() {
    if (!HasWidget()) return;
    auto* label = static_cast<QLabel*>(Widget());
    label->setText(ui::ToQt(DisplayText()));
    Qt::Alignment h = alignment_ == TAlignment::taRightJustify ? Qt::AlignRight
                      : alignment_ == TAlignment::taCenter      ? Qt::AlignHCenter
                                                                : Qt::AlignLeft;
    label->setAlignment(h | Qt::AlignTop);
    label->setWordWrap(wordWrap_);
}

void TLabel::TextChanged() {
    ApplyText();
    AdjustBounds();
}

void TLabel::FontChanged() { AdjustBounds(); }

void TLabel::Loaded() {
    TControl::Loaded();
    AdjustBounds();
}

bool TLabel::FillsBackground() const { return !transparent_ && TControl::FillsBackground(); }

void TLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    ApplyText();
}

void TLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustBounds();
}

void TLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    if (HasWidget()) Widget()->setAutoFillBackground(FillsBackground());
}

void TLabel::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    ApplyText();
    AdjustBounds();
}

void TLabel::SetShowAccelChar(bool show) {
    showAccelChar_ = show;
    ApplyText();
    AdjustBounds();
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || IsLoading()) return;
    QFontMetrics metrics(ui::ToQFont(EffectiveFont()->Value()));
    QString text = ui::ToQt(DisplayText());
    int width = Width();
    int height = metrics.height();
    if (wordWrap_) {
        height = metrics.boundingRect(QRect(0, 0, std::max(1, width), 100000), Qt::TextWordWrap, text).height();
    } else {
        width = metrics.horizontalAdvance(text);
    }
    int left = Left();
    if (alignment_ == TAlignment::taRightJustify) left += Width() - width;
    SetBounds(left, Top(), width, std::max(height, metrics.height()));
}
