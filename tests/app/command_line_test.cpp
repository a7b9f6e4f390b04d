#include "app/CommandLine.h"
#include "app/StudyCommand.h"

#include <gtest/gtest.h>

#include <sstream>

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
        std::string session = "";
    };
    const Case cases[] = {
        {{}, Mode::Windows, "", {}},
        {{"-platform", "offscreen"}, Mode::Windows, "", {}},
        {{"lezione.curvalia"}, Mode::Windows, "", {}, "", "lezione.curvalia"},
        {{"-platform", "offscreen", "A.CURVALIA"}, Mode::Windows, "", {}, "", "A.CURVALIA"},
        {{".curvalia"}, Mode::Windows, "", {}},
        {{"a.curvalia", "b.curvalia"},
         Mode::Refused,
         "",
         {},
         "Si apre una sessione alla volta: b.curvalia"},
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
        if (c.mode == Mode::Windows) {
            EXPECT_EQ(line.session, c.session);
        }
        if (c.mode == Mode::Refused) {
            EXPECT_EQ(line.message, std::string(c.firstLine) + "\n" + kUsage);
        }
    }
}

TEST(StudyCommand, WritesTheStudyOrSaysWhyNot) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* out; // "" for none
        const char* err;
    };
    const Case cases[] = {
        {{"--studio", "(x^2-4)/(x-1)", "--area", "-5", "5", "-10", "10", "0.01"},
         0,
         "zero\t-2\t0\nintersezione con l'asse y\t0\t4\nasintoto verticale\t1\t\n"
         "zero\t2\t0\nf > 0 per x in (-2; 1) e (2; 5)\n",
         ""},
        {{"--studio", "sin(x"}, 2, "", "Le parentesi APERTE sono maggiori di quelle chiuse\n"},
        {{"--studio", "x", "--area", "0.2", "0.7", "-1", "1", "0.1"}, 2, "", "Campi errati"},
        {{"--studio", "x", "--area", "-10", "10", "-1", "1", "0.000001"},
         2,
         "",
         "Troppi punti da studiare"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::ostringstream out, err;
        EXPECT_EQ(runStudy(readCommandLine(c.args), out, err), c.status);
        EXPECT_EQ(out.str().rfind(c.out, 0), 0u) << out.str();
        EXPECT_EQ(err.str().rfind(c.err, 0), 0u) << err.str();
    }
}

} // namespace
} // namespace curvalia::app
