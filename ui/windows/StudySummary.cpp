#include "ui/windows/StudySummary.h"

#include "layout/NumberWriter.h"

#include <QStringList>

#include <algorithm>
#include <initializer_list>

namespace curvalia::ui {

namespace {

struct CountedKind {
    std::initializer_list<analysis::PointKind> kinds;
    const char* none; // the article agrees with the noun: "nessuno zero", "nessun massimo"
    const char* one;
    const char* many;
};

QString counted(const analysis::Study& study, const CountedKind& kind) {
    const auto n = std::count_if(study.points.begin(), study.points.end(), [&](const auto& p) {
        return std::find(kind.kinds.begin(), kind.kinds.end(), p.kind) != kind.kinds.end();
    });
    if (n == 0)
        return QString::fromUtf8(kind.none);
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? kind.one : kind.many);
}

} // namespace

QString studySummary(const analysis::Study& study, double from, double to, const QLocale& locale) {
    using analysis::PointKind;
    if (study.refusal)
        return {};
    // A zero that only touches the axis is still a zero of f.
    const CountedKind kinds[] = {
        {{PointKind::Zero, PointKind::DoubleZero}, "nessuno zero", "zero", "zeri"},
        {{PointKind::Maximum}, "nessun massimo", "massimo", "massimi"},
        {{PointKind::Minimum}, "nessun minimo", "minimo", "minimi"},
        {{PointKind::Inflection}, "nessun flesso", "flesso", "flessi"},
    };
    QStringList counts;
    for (const CountedKind& kind : kinds)
        counts << counted(study, kind);
    const auto number = [&locale](double v) {
        return layout::interfaceNumber(v, layout::Digits::significant(15), locale);
    };
    return QStringLiteral("%1 da %2 a %3: %4. F7 per lo studio completo.")
        .arg(QString::fromStdString(study.expression), number(from), number(to),
             counts.join(QStringLiteral(", ")));
}

} // namespace curvalia::ui
