#pragma once

class QListWidget;
class QWidget;

namespace pyrostat {

// Places the window at the centre of its screen's available area, shifted by
// the offsets in twips (positive = down / right), converted at the screen's
// logical resolution.
void CenterForm(QWidget& form, double offsetTwipsDown = 0.0, double offsetTwipsRight = 0.0);

// Draws the sunken three-dimensional edge along the whole client rectangle;
// called from a window's paint event.
void PaintSunkenEdge(QWidget& form);

// Widens the list's horizontal scroll range so that its longest entry can be
// scrolled into view: the width of that many letters "W" plus one, in the
// list's font. Returns true when nothing failed.
bool FitListScrollWidth(QListWidget& list);

} // namespace pyrostat
