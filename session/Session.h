// Everything a lesson needs to come back as it was left: the curves on the
// plot, the five texts of "Area", the view, the menu's choices and the look.
#pragma once

#include "plot/Appearance.h"
#include "plot/PlotHost.h"
#include "plot/PlotModel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace curvalia::session {

// Written into every file; a file of a later format is refused, since it may
// hold what this version cannot show. Version 2 added "aspetto", the
// appearance; a version 1 file is read with the default one.
inline constexpr int kFormatVersion = 2;
inline constexpr const char* kFormatName = "curvalia-sessione";
// A session of a hundred curves is far below this; anything larger is not
// one, and is refused before it is parsed.
inline constexpr std::size_t kMaxFileBytes = 1024 * 1024;
inline constexpr std::size_t kMaxCurves = 100;
// As many characters as an "Area" field takes.
inline constexpr int kMaxAreaTextLength = 150;
// The palette numbers "&Colore del Grafico..." offers.
inline constexpr std::array<std::int16_t, 5> kMenuColours = {10, 11, 15, 14, 9};

// The four ends of the view; the step follows from "Area" (see SessionView.h).
struct ViewEnds {
    double xmin = -10;
    double xmax = 10;
    double ymin = -10;
    double ymax = 10;
};

// The menu's switches, each as its check mark shows it.
struct MenuChoices {
    std::int16_t curveColour = 10;
    bool function = true;
    bool derivative = false;
    bool grid = false;
    bool keep = false; // "&Non Cancellare"
    bool fast = true;  // "Disegno &veloce"
    bool axisNumbers = false;
    bool trace = false;
    bool autoDraw = false;
};

struct Session {
    std::vector<plot::Curve> curves; // in the order drawn, the newest last
    plot::RangeTexts area;
    ViewEnds view;
    MenuChoices choices;
    plot::Appearance appearance;
};

} // namespace curvalia::session
