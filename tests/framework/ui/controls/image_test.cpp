// The image control: a picture handed over as a buffer of colours, shown
// as it is, centred, or scaled down to fit with its shape kept; without a
// picture what lies beneath shows.
#include "framework/ui/controls/image.h"
#include "framework/ui/controls/panel.h"
#include "framework/ui/test_window.h"

#include "framework/ui/ui_test_support.h"

#include <QImage>

namespace {

// A picture whose left half is red and right half blue.
std::vector<uint32_t> Halves(int width, int height) {
    std::vector<uint32_t> argb(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) argb[static_cast<size_t>(y) * width + x] = x < width / 2 ? 0xFFFF0000u : 0xFF0000FFu;
    return argb;
}

}  // namespace

TEST(Image, ShowsTheBufferCentredOrScaledDownToFitAndNothingWithoutOne) {
    TOwned<TTestWindow> form{new TTestWindow(nullptr)};
    form->SetBounds(0, 0, 200, 100);
    auto* ground = new TPanel(form.get());
    ground->SetParent(form.get());
    ground->SetBounds(0, 0, 200, 100);
    ground->SetBevelOuter(TPanelBevel::bvNone);
    ground->SetColor(0x00FF00);  // green (0x00BBGGRR)
    auto* image = new TImage(form.get());
    image->SetParent(ground);
    image->SetBounds(0, 0, 200, 100);
    form->Widget()->show();
    auto shot = [&] { return form->Widget()->grab().toImage(); };

    EXPECT_FALSE(image->HasPicture());
    EXPECT_EQ(QColor(shot().pixel(100, 50)), QColor(Qt::green));  // the panel shows through

    // As it is, at the top-left.
    image->SetPicture(40, 20, Halves(40, 20));
    ASSERT_TRUE(image->HasPicture());
    EXPECT_EQ(image->DrawnRect(), (ui::Rect{0, 0, 40, 20}));
    QImage s = shot();
    EXPECT_EQ(QColor(s.pixel(5, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(s.pixel(35, 15)), QColor(Qt::blue));
    EXPECT_EQ(QColor(s.pixel(45, 5)), QColor(Qt::green));

    // Centred; Proportional never enlarges a small picture.
    image->SetCenter(true);
    image->SetProportional(true);
    EXPECT_EQ(image->DrawnRect(), (ui::Rect{80, 40, 120, 60}));
    EXPECT_EQ(QColor(shot().pixel(85, 45)), QColor(Qt::red));

    // A picture wider than the control: scaled to its width, shape kept.
    image->SetPicture(400, 100, Halves(400, 100));
    EXPECT_EQ(image->DrawnRect(), (ui::Rect{0, 25, 200, 75}));
    // Taller than wide: scaled to the height.
    image->SetPicture(100, 400, Halves(100, 400));
    EXPECT_EQ(image->DrawnRect(), (ui::Rect{87, 0, 112, 100}));
    image->SetPicture(400, 100, Halves(400, 100));
    s = shot();
    EXPECT_EQ(QColor(s.pixel(20, 50)), QColor(Qt::red));
    EXPECT_EQ(QColor(s.pixel(180, 50)), QColor(Qt::blue));
    EXPECT_EQ(QColor(s.pixel(100, 10)), QColor(Qt::green));  // above the scaled picture

    // A buffer of the wrong size clears the picture.
    image->SetPicture(10, 10, std::vector<uint32_t>(5));
    EXPECT_FALSE(image->HasPicture());
    EXPECT_EQ(QColor(shot().pixel(20, 50)), QColor(Qt::green));
}
