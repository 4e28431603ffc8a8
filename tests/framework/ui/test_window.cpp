#include "test_window.h"

TANSU_IMPLEMENT_CLASS(TTestWindow)
void TTestWindow::DeclarePublished(TClassBuilder<TTestWindow>&) {}
