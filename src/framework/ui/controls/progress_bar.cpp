#include "framework/ui/controls/progress_bar.h"

#include <QProgressBar>
#include <algorithm>

TANSU_IMPLEMENT_CLASS(TProgressBar)
void TProgressBar::DeclarePublished(TClassBuilder<TProgressBar>& c) {
    c.Property("Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0);
    c.Property("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100);
    c.Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0);
}

TProgressBar::TProgressBar(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 150, 16); }

QWidget* TProgressBar::CreateWidget() {
    auto* bar = new QProgressBar();
    bar->setTextVisible(false);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

void TProgressBar::InitWidget() {
    TControl::InitWidget();
    Apply();
}

void TProgressBar::SetMin(int value) {
    min_ = value;
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, max_);
    Apply();
}

void TProgressBar::SetMax(int value) {
    max_ = value;
    min_ = std::min(min_, max_);
    position_ = std::clamp(position_, min_, max_);
    Apply();
}

void TProgressBar::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    Apply();
}

void TProgressBar::Apply() {
    if (!HasWidget()) return;
    auto* bar = static_cast<QProgressBar*>(Widget());
    bar->setRange(min_, max_);
    bar->setValue(position_);
}
