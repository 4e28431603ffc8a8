#include "framework/ui/controls/image.h"

#include "framework/ui/graphics/painted_widget.h"

#include <QImage>
#include <algorithm>

// The picture as handed over and as last scaled for the control's size.
struct TImage::Pictures {
    QImage original;
    QImage scaled;
};

TANSU_IMPLEMENT_CLASS(TImage)
void TImage::DeclarePublished(TClassBuilder<TImage>& c) {
    c.Property("Center", &TImage::Center, &TImage::SetCenter).Default(0);
    c.Property("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(0);
    c.Event("OnClick", &TImage::OnClick);
    c.Event("OnDblClick", &TImage::OnDblClick);
    PublishMouseEvents(c);
}

TImage::TImage(TComponent* owner) : TControl(owner), pictures_(std::make_unique<Pictures>()) {
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

QWidget* TImage::CreateWidget() { return new ui::PaintedWidget([this](QPainter& p) { Paint(p); }); }

void TImage::InitWidget() {
    TControl::InitWidget();
    Widget()->lower();
}

void TImage::SetCenter(bool center) {
    center_ = center;
    Invalidate();
}

void TImage::SetProportional(bool proportional) {
    proportional_ = proportional;
    Invalidate();
}

void TImage::SetPicture(int width, int height, const std::vector<uint32_t>& argb) {
    if (width <= 0 || height <= 0 || argb.size() != static_cast<size_t>(width) * height) {
        ClearPicture();
        return;
    }
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        std::copy_n(argb.data() + static_cast<size_t>(y) * width, width, reinterpret_cast<uint32_t*>(image.scanLine(y)));
    pictures_->original = std::move(image);
    pictures_->scaled = QImage();
    Invalidate();
}

void TImage::ClearPicture() {
    pictures_->original = QImage();
    pictures_->scaled = QImage();
    Invalidate();
}

bool TImage::HasPicture() const { return !pictures_->original.isNull(); }
int TImage::PictureWidth() const { return pictures_->original.width(); }
int TImage::PictureHeight() const { return pictures_->original.height(); }

ui::Rect TImage::DrawnRect() const {
    if (!HasPicture()) return {};
    int w = PictureWidth(), h = PictureHeight();
    if (proportional_ && (w > Width() || h > Height())) {
        // The smaller of the two ratios, in integers: the picture fits both ways.
        if (static_cast<int64_t>(Width()) * h <= static_cast<int64_t>(Height()) * w) {
            h = std::max(1, static_cast<int>(static_cast<int64_t>(h) * Width() / w));
            w = std::max(1, Width());
        } else {
            w = std::max(1, static_cast<int>(static_cast<int64_t>(w) * Height() / h));
            h = std::max(1, Height());
        }
    }
    const int left = center_ ? (Width() - w) / 2 : 0;
    const int top = center_ ? (Height() - h) / 2 : 0;
    return {left, top, left + w, top + h};
}

void TImage::Paint(QPainter& p) {
    if (!HasPicture()) return;
    const ui::Rect r = DrawnRect();
    const QSize size(r.right - r.left, r.bottom - r.top);
    const QImage* shown = &pictures_->original;
    if (size != pictures_->original.size()) {
        if (pictures_->scaled.size() != size)
            pictures_->scaled = pictures_->original.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        shown = &pictures_->scaled;
    }
    p.drawImage(QPoint(r.left, r.top), *shown);
}
