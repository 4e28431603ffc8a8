// The system's own components, for the class registry: call once at start,
// before the first stored form is read.
#pragma once

void RegisterSystemControls();
