#include "app/CommandLine.h"
#include "app/StudyCommand.h"
#include "support/table_rows.h"

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
    using C = Case;
    using A = std::vector<std::string>;
    const auto cases = ::curvalia::testing::rows(
        C(A{}, Mode::Windows, "", {}), C(A{"-platform", "offscreen"}, Mode::Windows, "", {}),
        C(A{"lezione.curvalia"}, Mode::Windows, "", {}, "", "lezione.curvalia"),
        C(A{"-platform", "offscreen", "A.CURVALIA"}, Mode::Windows, "", {}, "", "A.CURVALIA"),
        C(A{".curvalia"}, Mode::Windows, "", {}),
        C(A{"a.curvalia", "b.curvalia"}, Mode::Refused, "", {},
          "Si apre una sessione alla volta: b.curvalia"),
        C(A{"--studio", "x^3-3*x"}, Mode::Study, "x^3-3*x", {}),
        // Values after --area are values even when they look like options.
        C(A{"--studio", "sin(x)", "--area", "-5", "5", "-2", "2", "0.001"}, Mode::Study, "sin(x)",
          {"-5", "5", "-2", "2", "0.001"}),
        C(A{"--studio"}, Mode::Refused, "", {}, "Manca l'espressione dopo --studio"),
        C(A{"--studio", "x", "--area", "-5", "5"}, Mode::Refused, "", {},
          "Dopo --area servono cinque valori: XMIN XMAX YMIN YMAX STEP"),
        C(A{"--studio", "x", "--tanto"}, Mode::Refused, "", {}, "Argomento non previsto: --tanto"));
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
    using A = std::vector<std::string>;
    const auto cases = ::curvalia::testing::rows(
        Case(A{"--studio", "(x^2-4)/(x-1)", "--area", "-5", "5", "-10", "10", "0.01"}, 0,
             "zero\t-2\t0\nintersezione con l'asse y\t0\t4\nasintoto verticale\t1\t\n"
             "zero\t2\t0\nf > 0 per x in (-2; 1) e (2; 5)\n",
             ""),
        Case(A{"--studio", "sin(x"}, 2, "", "Le parentesi APERTE sono maggiori di quelle chiuse\n"),
        Case(A{"--studio", "x", "--area", "0.2", "0.7", "-1", "1", "0.1"}, 2, "", "Campi errati"),
        Case(A{"--studio", "x", "--area", "-10", "10", "-1", "1", "0.000001"}, 2, "",
             "Troppi punti da studiare"));
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
