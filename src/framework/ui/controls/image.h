// An image: a picture the program hands over as a plain buffer of colours
// (0xAARRGGBB a pixel, not premultiplied, row by row), shown at the
// control's top-left or in its middle (Center).  With Proportional a
// picture larger than the control is scaled down to fit, its shape kept;
// a smaller one is never enlarged.  Without a picture the image draws
// nothing, so what lies beneath it shows.
#pragma once

#include "framework/ui/core/control.h"

#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

class TImage : public TControl {
    TANSU_CLASS(TImage, TControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    bool Center() const { return center_; }
    void SetCenter(bool center);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool proportional);

    // Copies the picture; a buffer that does not hold width x height
    // colours clears it.
    void SetPicture(int width, int height, const std::vector<uint32_t>& argb);
    void ClearPicture();
    bool HasPicture() const;
    int PictureWidth() const;
    int PictureHeight() const;
    // Where the picture is drawn, in the control's coordinates (empty
    // without a picture).
    ui::Rect DrawnRect() const;

protected:
    QWidget* CreateWidget() override;
    void InitWidget() override;
    bool FillsBackground() const override { return false; }

private:
    struct Pictures;
    void Paint(QPainter& painter);

    bool center_ = false;
    bool proportional_ = false;
    std::unique_ptr<Pictures> pictures_;
};
