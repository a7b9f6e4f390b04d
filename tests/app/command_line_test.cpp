#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace curvalia::app {
namespace {

using Mode = CommandLine::Mode;

TEST(CommandLine, ReadsTheStudyAndItsAreaOrSaysWhatIsWrong) {
    struct Case {
        std::vector<std::string> args;
        Mode mode;
        std::string expression;
        plot::RangeTexts area;
        const char* firstLine = "";
    };
    const Case cases[] = {
        {{}, Mode::Windows, "", {}},
        {{"-platform", "offscreen"}, Mode::Windows, "", {}},
        {{"--studio", "x^3-3*x"}, Mode::Study, "x^3-3*x", {}},
        // Values after --area are values even when they look like options.
        {{"--studio", "sin(x)", "--area", "-5", "5", "-2", "2", "0.001"},
         Mode::Study,
         "sin(x)",
         {"-5", "5", "-2", "2", "0.001"}},
        {{"--studio"}, Mode::Refused, "", {}, "Manca l'espressione dopo --studio"},
        {{"--studio", "x", "--area", "-5", "5"},
         Mode::Refused,
         "",
         {},
         "Dopo --area servono cinque valori: XMIN XMAX YMIN YMAX STEP"},
        {{"--studio", "x", "--tanto"}, Mode::Refused, "", {}, "Argomento non previsto: --tanto"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.back());
        const CommandLine line = readCommandLine(c.args);
        EXPECT_EQ(line.mode, c.mode);
        EXPECT_EQ(line.expression, c.expression);
        const auto texts = [](const plot::RangeTexts& t) {
            return std::vector<std::string>{t.xmin, t.xmax, t.ymin, t.ymax, t.step};
        };
        EXPECT_EQ(texts(line.area), texts(c.area));
        if (c.mode == Mode::Refused)
            EXPECT_EQ(line.message, std::string(c.firstLine) + "\n" + kUsage);
    }
}

} // namespace
} // namespace curvalia::app
