// The few words a screen reader says about a freshly drawn curve, from its
// study: "sin(x) da -10 a 10: 7 zeri, 3 massimi, 3 minimi, 7 flessi. F7 per
// lo studio completo." The whole study is one key away.
#pragma once

#include "analysis/FunctionStudy.h"

#include <QLocale>
#include <QString>

namespace curvalia::ui {

// from and to: the ends of the studied range. Nothing for a refused study:
// its message has been heard already.
QString studySummary(const analysis::Study& study, double from, double to,
                     const QLocale& locale = QLocale());

} // namespace curvalia::ui
