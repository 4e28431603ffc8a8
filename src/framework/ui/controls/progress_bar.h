// A progress bar: how far a long task has come, as Position between Min
// and Max.  It never takes the focus.
#pragma once

#include "framework/ui/core/control.h"

class TProgressBar : public TControl {
    TANSU_CLASS(TProgressBar, TControl)
public:
    explicit TProgressBar(TComponent* owner);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // Kept between Min and Max.
    int Position() const { return position_; }
    void SetPosition(int value);

protected:
    QWidget* CreateWidget() override;
    void InitWidget() override;

private:
    void Apply();

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};
