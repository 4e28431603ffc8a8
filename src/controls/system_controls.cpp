#include "controls/system_controls.h"

#include "controls/CmbGrid.h"

void RegisterSystemControls() { RegisterClass(TComboGrid::StaticClass()); }
