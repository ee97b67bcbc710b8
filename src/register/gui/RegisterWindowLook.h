#pragma once

class QListWidget;
class QWidget;

namespace pyrostat {

// The look shared by the register window and the password dialog: centred on
// the screen when they open, a sunken edge round the client area, and a list
// whose horizontal scroll range reaches its longest entry.
void CentreRegisterWindow(QWidget& window);
void PaintRegisterEdge(QWidget& window);
void FitNamesScrollWidth(QListWidget& list);

} // namespace pyrostat
