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
    composed_ = {};
    picture_ = QImage();
    shown_ = {};
    stale_ = {};
    if (doll_) {
        setFixedSize(doll_->config().width, doll_->config().height);
        shown_ = kiss::FieldState::Of(*doll_);
        stale_ = {0, 0, doll_->config().width, doll_->config().height};
    }
    update();
}

void Playfield::SetChanged() {
    if (!doll_) return;
    kiss::FieldState now = kiss::FieldState::Of(*doll_);
    const kiss::Rect changed = ChangedArea(shown_, now);
    shown_ = std::move(now);
    if (changed.Empty()) return;
    stale_ = kiss::Unite(stale_, changed);
    update(changed.x, changed.y, changed.width, changed.height);
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
    if (stale_.Empty()) return picture_;
    if (picture_.isNull()) {
        composed_ = kiss::Compose(*doll_);
        // Every pixel of the composed field is opaque.
        picture_ = QImage(composed_.width, composed_.height, QImage::Format_RGB32);
        stale_ = {0, 0, composed_.width, composed_.height};
    } else {
        kiss::ComposeArea(*doll_, stale_, composed_);
    }
    stale_ = kiss::Intersect(stale_, {0, 0, composed_.width, composed_.height});
    for (int y = stale_.y; y < stale_.y + stale_.height; ++y)
        std::copy_n(&composed_.argb[static_cast<size_t>(y) * composed_.width + stale_.x], stale_.width,
                    reinterpret_cast<QRgb*>(picture_.scanLine(y)) + stale_.x);
    stale_ = {};
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
