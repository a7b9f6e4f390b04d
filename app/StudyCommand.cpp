#include "app/StudyCommand.h"

#include "analysis/FunctionStudy.h"
#include "engine/Engine.h"
#include "engine/NumberText.h"
#include "plot/RangeReader.h"

#include <cmath>
#include <ostream>

namespace curvalia::app {

namespace {

// What a program reads back: "." and 15 significant digits.
std::string plain(double v) {
    return std::isnan(v) ? std::string("-") : engine::plainNumberText(v, 15);
}

} // namespace

int runStudy(const CommandLine& line, std::ostream& out, std::ostream& err) {
    if (line.mode == CommandLine::Mode::Refused) {
        err << line.message << '\n';
        return 2;
    }
    const plot::RangeReading reading = plot::readRange(line.area);
    if (reading.verdict != plot::RangeVerdict::Valid) {
        err << plot::refusalText(line.area, reading.verdict) << '\n';
        return 2;
    }
    const plot::PlotRange& r = reading.range;
    analysis::FunctionStudy study;
    study.setMaxSamples(analysis::FunctionStudy::kMaxCommandLineSamples);
    const analysis::Study result =
        study.study(engine::toLowerText(line.expression), {r.Xmin, r.Xmax, r.Ymin, r.Ymax, r.Step});
    if (result.refusal) {
        err << *result.refusal << '\n';
        return 2;
    }
    out << analysis::studyText(result, plain);
    return 0;
}

} // namespace curvalia::app
