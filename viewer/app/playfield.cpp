#include "app/playfield.h"

#include <QMouseEvent>
#include <QPainter>

namespace kissviewer {

Playfield::Playfield(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Playfield"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Playfield::SetDoll(kiss::Doll* doll) {
    doll_ = doll;
    images_.clear();
    imagesGroup_ = -1;
    dragged_ = -1;
    if (doll_) setFixedSize(doll_->config().width, doll_->config().height);
    update();
}

void Playfield::SetChanged() {
    dragged_ = -1;
    update();
}

QSize Playfield::sizeHint() const {
    return doll_ ? QSize(doll_->config().width, doll_->config().height) : QSize(448, 320);
}

const QImage& Playfield::CelImage(int i) {
    if (imagesGroup_ != doll_->PaletteGroup()) {
        images_.assign(doll_->CelCount(), QImage());
        imagesGroup_ = doll_->PaletteGroup();
    }
    QImage& img = images_[i];
    if (!img.isNull()) return img;
    const kiss::Cel& c = *doll_->cel(i);
    img = QImage(c.width, c.height, QImage::Format_ARGB32_Premultiplied);
    if (c.bitsPerPixel == 32) {
        for (int y = 0; y < c.height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < c.width; ++x) row[x] = qPremultiply(c.argb[static_cast<size_t>(y) * c.width + x]);
        }
        return img;
    }
    QRgb colors[256];
    colors[0] = 0;  // index 0 is transparent
    for (int k = 1; k < 256; ++k) colors[k] = doll_->ColorOf(i, k);
    const uint8_t* in = c.indexes.data();
    for (int y = 0; y < c.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < c.width; ++x) row[x] = colors[*in++];
    }
    return img;
}

void Playfield::Draw(QPainter& p, const QRect& area) {
    if (!doll_) {
        p.fillRect(area, Qt::black);
        return;
    }
    p.fillRect(area, QColor::fromRgb(doll_->Border()));
    const QRect field(0, 0, doll_->config().width, doll_->config().height);
    p.fillRect(field & area, QColor::fromRgb(doll_->Background()));
    p.setClipRect(field & area);
    // The first cel listed lies on top: draw from the last one up.
    for (int i = doll_->CelCount() - 1; i >= 0; --i) {
        if (!doll_->Visible(i)) continue;
        const kiss::Position o = doll_->CelOrigin(i);
        const kiss::Cel& c = *doll_->cel(i);
        if (!QRect(o.x, o.y, c.width, c.height).intersects(area)) continue;
        p.drawImage(QPoint(o.x, o.y), CelImage(i));
    }
}

void Playfield::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    Draw(p, e->rect());
}

QImage Playfield::Render() {
    QImage out(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&out);
    Draw(p, rect());
    return out;
}

void Playfield::mousePressEvent(QMouseEvent* e) {
    if (!doll_ || e->button() != Qt::LeftButton) return;
    const QPoint at = e->position().toPoint();
    const int cel = doll_->HitTest(at.x(), at.y());
    if (cel < 0) return;
    const int object = doll_->celLine(cel).object;
    if (!doll_->TryPickUp(object)) return;  // a fixed object gives way only after enough tries
    const kiss::Position place = doll_->Place(object).value_or(kiss::Position{});
    dragged_ = object;
    grab_ = at - QPoint(place.x, place.y);
}

void Playfield::mouseMoveEvent(QMouseEvent* e) {
    if (!doll_ || dragged_ < 0) return;
    const QPoint to = e->position().toPoint() - grab_;
    doll_->MoveObject(dragged_, kiss::Position{to.x(), to.y()});
    update();
}

void Playfield::mouseReleaseEvent(QMouseEvent* e) {
    if (dragged_ >= 0) mouseMoveEvent(e);
    dragged_ = -1;
}

}  // namespace kissviewer
