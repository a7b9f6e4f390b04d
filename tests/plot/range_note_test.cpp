// The note of the settings dialog: how each text will be read when it is not
// read as typed, and nothing when every text is.
#include "plot/RangeNote.h"

#include "support/table_rows.h"

#include <gtest/gtest.h>

namespace curvalia::plot {
namespace {

RangeTexts with(std::string xmin, std::string xmax, std::string ymin = "-10",
                std::string ymax = "10", std::string step = "0.01") {
    return {std::move(xmin), std::move(xmax), std::move(ymin), std::move(ymax), std::move(step)};
}

TEST(RangeNote, SaysHowEachTextIsReadOnlyWhenNotAsTyped) {
    using C = std::pair<RangeTexts, std::string>;
    for (const auto& [texts, note] : ::curvalia::testing::rows(
             // Read as typed: whole numbers, exponents, hexadecimal, blanks around.
             C{with("-10", "10"), ""}, C{with("-1e1", " 20 ", "&h10", "&o20", ".5"), ""},
             // Floored: an axis with both ends together, one end on its own.
             C{with("-0.5", "0.5"), "X da -1 a 0 (arrotondati all'intero inferiore)"},
             C{with("-10", "2.9"), "X max vale 2 (arrotondato all'intero inferiore)"},
             // Decimal commas, not numbers, empty fields, leftovers, overflow.
             C{with("-10", "10", "-10", "10", "1,5"),
               "Step 1: usare il punto come separatore decimale"},
             C{with("-10", "10", "-10", "abc"), "Y max vale 0: non \xC3\xA8 un numero"},
             C{with("-10", "10", "-10", "10", ""), "Step vale 0: campo vuoto"},
             C{with("-10", "12abc"), "X max letto come 12"},
             C{with("-10", "10", "-10", "10", "1.2.3"), "Step letto come 1.2"},
             C{with("-1e999", "10"), "X min: numero troppo grande"},
             // Several fields: one line each, X before Y before the step.
             C{with("a", "0.5", "-10", "10", "0,5"),
               "X min vale 0: non \xC3\xA8 un numero\n"
               "X max vale 0 (arrotondato all'intero inferiore)\n"
               "Step 0: usare il punto come separatore decimale"})) {
        SCOPED_TRACE(texts.xmin + " " + texts.xmax + " " + texts.ymin + " " + texts.ymax + " " +
                     texts.step);
        EXPECT_EQ(rangeNote(texts), note);
    }
}

} // namespace
} // namespace curvalia::plot
