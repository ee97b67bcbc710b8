#pragma once

namespace pyrostat {

struct WindowPosition {
    int left = 0;
    int top = 0;
};

// One twip is 1/1440 inch.
inline constexpr double kTwipsPerInch = 1440.0;

// Pixels of a length in twips at `dotsPerInch`, rounded to the nearest (ties
// to even).
int TwipsToPixels(double twips, double dotsPerInch);

// The window centred on the screen area, then shifted by the offsets (twips,
// positive = right / down). The result keeps the window's top-left corner on
// the screen area when the window fits.
WindowPosition CentredPosition(int screenLeft, int screenTop, int screenWidth, int screenHeight,
                               int windowWidth, int windowHeight, double dotsPerInchX,
                               double dotsPerInchY, double offsetTwipsDown = 0.0,
                               double offsetTwipsRight = 0.0);

} // namespace pyrostat
