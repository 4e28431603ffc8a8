// Compiled only by the Qt boundary test: with the include paths of the
// program's own libraries this must fail to find the Qt header.
#include <QWidget>

int QtProbe() { return sizeof(QWidget) > 0 ? 1 : 0; }
