// The words of a study: names of the points, sentences for the intervals
// and the asymptotes, and the plain text of both.
#include "analysis/FunctionStudy.h"

#include <array>
#include <cmath>

namespace curvalia::analysis {

std::string kindName(const StudyPoint& point) {
    switch (point.kind) {
    case PointKind::Zero:
        return "zero";
    case PointKind::DoubleZero:
        return "zero doppio";
    case PointKind::YIntercept:
        return "intersezione con l'asse y";
    case PointKind::Maximum:
        return "massimo relativo";
    case PointKind::Minimum:
        return "minimo relativo";
    case PointKind::Inflection:
        return "flesso";
    case PointKind::VerticalAsymptote:
        return "asintoto verticale";
    case PointKind::ExcludedPoint:
        return "punto escluso";
    case PointKind::Intersection:
        return "intersezione con " + point.other;
    }
    return {};
}

namespace {

// In the order of IntervalKind.
constexpr std::array<const char*, 7> kSubjects = {
    "f > 0",
    "f < 0",
    "f crescente",
    "f decrescente",
    "f concava verso l'alto",
    "f concava verso il basso",
    "f non definita",
};

} // namespace

std::vector<std::string> sentences(const Study& study,
                                   const std::function<std::string(double)>& number) {
    std::vector<std::string> out;
    if (study.refusal)
        return out;
    for (std::size_t kind = 0; kind < kSubjects.size(); ++kind) {
        std::vector<std::string> parts;
        for (const StudyInterval& i : study.intervals)
            if (static_cast<std::size_t>(i.kind) == kind)
                parts.push_back("(" + number(i.from) + "; " + number(i.to) + ")");
        if (parts.empty())
            continue;
        std::string text = std::string(kSubjects[kind]) + " per x in ";
        for (std::size_t p = 0; p < parts.size(); ++p) {
            if (p > 0)
                text += p + 1 == parts.size() ? " e " : ", ";
            text += parts[p];
        }
        out.push_back(std::move(text));
    }
    for (const StudyPoint& p : study.points)
        if (p.kind == PointKind::VerticalAsymptote)
            out.push_back("asintoto verticale: x = " + number(p.x));
    return out;
}

std::string studyText(const Study& study, const std::function<std::string(double)>& number) {
    if (study.refusal)
        return *study.refusal + "\n";
    std::string text;
    for (const StudyPoint& p : study.points) {
        text += kindName(p) + "\t" + number(p.x) + "\t";
        if (!std::isnan(p.y))
            text += number(p.y);
        text += "\n";
    }
    for (const std::string& s : sentences(study, number))
        text += s + "\n";
    return text;
}

} // namespace curvalia::analysis
