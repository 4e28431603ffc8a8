// Anchors the window library until its first unit lands.
