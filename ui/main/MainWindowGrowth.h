// How the main window's controls follow its size. The plot grows with the
// window; what lies right of it (the buttons) moves right, what lies under
// it (the expression box and its label, the legend) moves down, and what
// runs the plot's width under it (the separator, the expression box) grows
// as wide as the plot grows; the status area below moves down and, with its
// status line and progress bar, grows as wide. Controls are sorted by where
// they were placed, so that controls added to the plot's frame later follow
// the same rules.
#pragma once

#include "layout/GrowthLayout.h"

class QWidget;

namespace curvalia::ui {

struct MainWindowAreas {
    QWidget& client;      // the window's area under the menu bar
    QWidget& plotFrame;   // the frame around the plot, the buttons and the expression box
    QWidget& plot;        // in plotFrame
    QWidget& statusFrame; // the status area, under plotFrame
};

// Call once every control is placed at the design size; client's present
// size becomes its smallest. The returned layout belongs to client.
layout::GrowthLayout* followWindowSize(const MainWindowAreas& areas);

} // namespace curvalia::ui
