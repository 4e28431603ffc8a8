// The playfield: the doll's current set as kiss::Compose draws it, and the
// mouse presses, drags and releases the doll's script answers.  Only the
// part of the field a change touched is drawn anew: a running animation or
// a drag redraws a cel's worth of pixels, not the whole field, each step.
#pragma once

#include "kiss/compose.h"
#include "kiss/doll.h"
#include "kiss/field_state.h"

#include <QImage>
#include <QWidget>
#include <functional>

namespace kissviewer {

class Playfield : public QWidget {
    Q_OBJECT
public:
    explicit Playfield(QWidget* parent = nullptr);

    // The doll shown (not owned; nullptr shows nothing).
    void SetDoll(kiss::Doll* doll);
    // Call after the doll changed (its set, a script's step): draws anew
    // what changed, if anything.
    void SetChanged();

    // The viewer's clock (milliseconds), told to the doll before its script
    // runs on a press or a release.
    void SetClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

    QSize sizeHint() const override;

    // The field as drawn, for a picture or a check.
    QImage Render();

Q_SIGNALS:
    // A press or a release ran the doll's script.
    void ScriptRan();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    kiss::Doll* doll_ = nullptr;
    std::function<qint64()> clock_;
    // The field as composed, and the copy Qt paints (a copy, so that an
    // image Render() handed out keeps its pixels).  Both hold the doll as
    // `shown_` tells except in `stale_`, which the next Render() composes
    // anew: steps between two paints add up to one area.
    kiss::Picture composed_;
    QImage picture_;
    kiss::FieldState shown_;
    kiss::Rect stale_;
    bool pressed_ = false;  // a press hit an object and waits for its release
    int dragged_ = -1;      // object being dragged, or -1
    QPoint grab_;           // mouse position relative to the object's place
};

}  // namespace kissviewer
