#include "app/playfield.h"

#include "kiss/compose.h"

#include <QMouseEvent>
#include <QPainter>

namespace kissviewer {

Playfield::Playfield(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Playfield"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Playfield::SetDoll(kiss::Doll* doll) {
    doll_ = doll;
    pressed_ = false;
    dragged_ = -1;
    if (doll_) setFixedSize(doll_->config().width, doll_->config().height);
    SetChanged();
}

void Playfield::SetChanged() {
    picture_ = QImage();
    update();
}

QSize Playfield::sizeHint() const {
    return doll_ ? QSize(doll_->config().width, doll_->config().height) : QSize(448, 320);
}

QImage Playfield::Render() {
    if (!doll_) {
        QImage black(size(), QImage::Format_RGB32);
        black.fill(Qt::black);
        return black;
    }
    if (picture_.isNull()) {
        const kiss::Picture p = kiss::Compose(*doll_);
        // Every pixel of the composed field is opaque.
        picture_ = QImage(p.width, p.height, QImage::Format_RGB32);
        for (int y = 0; y < p.height; ++y)
            std::copy_n(&p.argb[static_cast<size_t>(y) * p.width], p.width, reinterpret_cast<QRgb*>(picture_.scanLine(y)));
    }
    return picture_;
}

void Playfield::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect().topLeft(), Render(), e->rect());
}

void Playfield::mousePressEvent(QMouseEvent* e) {
    if (!doll_ || e->button() != Qt::LeftButton) return;
    const QPoint at = e->position().toPoint();
    if (clock_) doll_->SetNow(clock_());
    const kiss::PressResult r = doll_->Press(at.x(), at.y());
    if (r.object < 0) return;
    pressed_ = true;
    if (r.movable) {
        const kiss::Position place = doll_->Place(r.object).value_or(kiss::Position{});
        dragged_ = r.object;
        grab_ = at - QPoint(place.x, place.y);
    }
    SetChanged();
    Q_EMIT ScriptRan();
}

void Playfield::mouseMoveEvent(QMouseEvent* e) {
    if (!doll_ || dragged_ < 0 || !doll_->Place(dragged_)) return;
    const QPoint to = e->position().toPoint() - grab_;
    doll_->MoveObject(dragged_, kiss::Position{to.x(), to.y()});
    SetChanged();
}

void Playfield::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !pressed_) return;
    if (dragged_ >= 0) mouseMoveEvent(e);
    dragged_ = -1;
    pressed_ = false;
    if (clock_) doll_->SetNow(clock_());
    doll_->Release();
    SetChanged();
    Q_EMIT ScriptRan();
}

}  // namespace kissviewer
