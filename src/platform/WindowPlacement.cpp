#include "platform/WindowPlacement.h"

#include <algorithm>
#include <cmath>

namespace pyrostat {

int TwipsToPixels(double twips, double dotsPerInch) {
    return static_cast<int>(std::nearbyint(twips * dotsPerInch / kTwipsPerInch));
}

WindowPosition CentredPosition(int screenLeft, int screenTop, int screenWidth, int screenHeight,
                               int windowWidth, int windowHeight, double dotsPerInchX,
                               double dotsPerInchY, double offsetTwipsDown,
                               double offsetTwipsRight) {
    WindowPosition pos;
    pos.left = static_cast<int>(std::nearbyint((screenWidth - windowWidth) / 2.0)) +
               TwipsToPixels(offsetTwipsRight, dotsPerInchX);
    pos.top = static_cast<int>(std::nearbyint((screenHeight - windowHeight) / 2.0)) +
              TwipsToPixels(offsetTwipsDown, dotsPerInchY);
    // A window taller or wider than the screen would be pushed off its top or
    // left edge, out of reach of the title bar.
    if (windowWidth <= screenWidth) {
        pos.left = std::clamp(pos.left, 0, screenWidth - windowWidth);
    } else {
        pos.left = 0;
    }
    if (windowHeight <= screenHeight) {
        pos.top = std::clamp(pos.top, 0, screenHeight - windowHeight);
    } else {
        pos.top = 0;
    }
    pos.left += screenLeft;
    pos.top += screenTop;
    return pos;
}

} // namespace pyrostat
