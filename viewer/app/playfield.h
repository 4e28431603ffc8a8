// The playfield: the set's cels drawn at their places, bottom cel first,
// and the objects dragged with the mouse.
#pragma once

#include "kiss/doll.h"

#include <QImage>
#include <QWidget>
#include <vector>

namespace kissviewer {

class Playfield : public QWidget {
    Q_OBJECT
public:
    explicit Playfield(QWidget* parent = nullptr);

    // The doll shown (not owned; nullptr shows nothing).
    void SetDoll(kiss::Doll* doll);
    // Call after the doll's set (and so perhaps its palette group) changed.
    void SetChanged();

    QSize sizeHint() const override;

    // The field as drawn, for a picture or a check.
    QImage Render();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    kiss::Doll* doll_ = nullptr;
    std::vector<QImage> images_;  // each cel in the palette group of imagesGroup_
    int imagesGroup_ = -1;
    int dragged_ = -1;            // object being dragged, or -1
    QPoint grab_;                 // mouse position relative to the object's place

    const QImage& CelImage(int i);
    void Draw(QPainter& p, const QRect& area);
};

}  // namespace kissviewer
