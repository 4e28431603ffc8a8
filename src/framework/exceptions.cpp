#include "framework/exceptions.h"

// The exception classes are header-only; this unit anchors the library.
