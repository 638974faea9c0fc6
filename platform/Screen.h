#pragma once
// The screen's pixels per inch, read once at start: 96 unless the front end sets it before the first
// document is loaded (the desktop program takes the primary screen's logical DPI).

namespace pw {

int PixelsPerInch();
void SetPixelsPerInch(int pixelsPerInch);

}  // namespace pw
