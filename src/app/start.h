// Start-up: the application object and the three windows, in this order:
// the main window (whose creation loads the settings and the catalog), the
// settings dialog, the record edit dialog.
#pragma once

// Registers the classes the stored forms name, names the program's desktop
// entry and creates the windows.
void CreateTansuWindows();
// Frees the windows (tests start anew; the program ends).
void FreeTansuWindows();
