#pragma once

class QWidget;

/// Shrinks a top-level window to the available area of its screen (without the panels of the
/// desktop) and moves it so that it lies wholly inside, frame included; a window that already
/// fits keeps its size and place. Sizes are in the toolkit's device-independent pixels, so
/// this holds at any scale factor.
void FitIntoScreen(QWidget* window);

/// Fits `window` into its screen every time it is shown (FitIntoScreen).
void KeepOnScreen(QWidget* window);
