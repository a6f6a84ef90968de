#pragma once

// Mappings between the response graph's pixels and frequency / level.
// The frequency axis puts 20 Hz at x = 0 and spans three decades over the
// width W; the level axis puts +40 dB at y = 0 and spans 120 dB over the
// height H. Pixels are relative to the curve origin, not to the widget.

// truncate(log10(f / 20) x (W div 3)). Results are kept within +-10^6
// pixels; a frequency of 0 or below lies far left, NaN gives 0.
int FreqToX(double f, int W);
// truncate(H / 120 x (40 - dB) + 0.5), kept within +-10^6 pixels; NaN
// gives 0.
int DbToY(double dB, int H);
// 20 x 10^(x / (W div 3)) limited to 20..20000 Hz, truncated. A graph too
// narrow to hold an axis (W < 3) gives 20 Hz.
int XToFreq(int x, int W);
// 40 - y x 120 / H rounded half away from zero to whole dB. A graph with no
// height gives 0 dB.
int YToDb(int y, int H);
