#include "ui/main/MainWindowGrowth.h"

#include <QWidget>

namespace curvalia::ui {

using layout::GrowthLayout;

namespace {

QList<QWidget*> controlsOf(QWidget& parent) {
    return parent.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

layout::GrowthLayout* followWindowSize(const MainWindowAreas& areas) {
    areas.client.setMinimumSize(areas.client.size());
    auto* growth = new GrowthLayout(areas.client);
    growth->add(&areas.plotFrame, GrowthLayout::GrowWide | GrowthLayout::GrowTall);
    growth->add(&areas.statusFrame, GrowthLayout::MoveDown | GrowthLayout::GrowWide);

    const QRect plot = areas.plot.geometry();
    for (QWidget* control : controlsOf(areas.plotFrame)) {
        if (control->isWindow())
            continue;
        if (control == &areas.plot) {
            growth->add(control, GrowthLayout::GrowWide | GrowthLayout::GrowTall);
            continue;
        }
        const QRect r = control->geometry();
        int follow = GrowthLayout::Stay;
        if (r.left() > plot.right())
            follow |= GrowthLayout::MoveRight;
        if (r.top() > plot.bottom()) {
            follow |= GrowthLayout::MoveDown;
            if (r.left() <= plot.right() && r.width() > plot.width() / 2)
                follow |= GrowthLayout::GrowWide;
        }
        growth->add(control, follow);
    }

    const int half = areas.statusFrame.width() / 2;
    for (QWidget* control : controlsOf(areas.statusFrame)) {
        if (control->isWindow())
            continue;
        const QRect r = control->geometry();
        growth->add(control, r.width() > half  ? GrowthLayout::GrowWide
                             : r.left() > half ? GrowthLayout::MoveRight
                                               : GrowthLayout::Stay);
    }
    return growth;
}

} // namespace curvalia::ui
