// The framework's standard classes: forms, labels, edits, buttons, bevels,
// panels, list boxes, menus and the open-file dialog.
#pragma once

// Registers them for stored forms (RegisterControlClasses calls it).
void RegisterStandardControls();

// Every class of the window layer, the grids included, for the class
// registry.
void RegisterControlClasses();
