// A widget that a control paints itself (bevels, panels).
#pragma once

#include <QPainter>
#include <QWidget>
#include <functional>

namespace ui {

class PaintedWidget : public QWidget {
public:
    explicit PaintedWidget(std::function<void(QPainter&)> paint) : paint_(std::move(paint)) {}
    // The control is going: nothing is painted for it any more.
    void Detach() { paint_ = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!paint_) return;
        QPainter painter(this);
        paint_(painter);
    }

private:
    std::function<void(QPainter&)> paint_;
};

}  // namespace ui
