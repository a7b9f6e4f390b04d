#include "ui/main/AppearanceActions.h"

#include "plot/DrawCommand.h"
#include "ui/main/Legend.h"
#include "ui/plotview/PlotOverlay.h"
#include "ui/plotview/PlotSurfaceWidget.h"
#include "ui/windows/AppearanceDialog.h"
#include "ui/windows/WindowPlacement.h"

#include <QAction>

namespace curvalia::ui {

AppearanceActions::AppearanceActions(Parts parts, QWidget& window)
    : QObject(&window), parts_(std::move(parts)), window_(window) {
    setObjectName(QStringLiteral("appearanceActions"));
    connect(&parts_.entry, &QAction::triggered, this, &AppearanceActions::openDialog);
    // A draw half done would be drawn over in another look.
    parts_.draw.busy().listen([self = QPointer<AppearanceActions>(this)](bool running) {
        if (!self)
            return;
        self->parts_.entry.setEnabled(!running);
        if (self->dialog_)
            self->dialog_->setAcceptEnabled(!running);
    });
}

bool AppearanceActions::set(const plot::Appearance& appearance) {
    if (parts_.draw.busy().busy())
        return false;
    parts_.draw.setAppearance(appearance);
    parts_.graph.setBackground(appearance.background);
    parts_.overlay.setAppearance(appearance);
    parts_.legend.setBackground(appearance.background);
    return true;
}

bool AppearanceActions::apply(const plot::Appearance& appearance) {
    if (!set(appearance))
        return false;
    if (const std::optional<plot::PlotRange> view = parts_.draw.model().view())
        parts_.draw.redraw(*view);
    if (parts_.redrawn)
        parts_.redrawn();
    return true;
}

void AppearanceActions::openDialog() {
    if (parts_.draw.busy().busy())
        return;
    if (!dialog_) {
        dialog_ = new AppearanceDialog(&window_);
        connect(dialog_, &QDialog::accepted, this, [this] { apply(dialog_->appearance()); });
    }
    dialog_->setAppearance(appearance());
    dialog_->setAcceptEnabled(true);
    // Beside the plot, whose change it is there to show.
    if (!dialog_->isVisible())
        placeBeside(*dialog_, window_);
    dialog_->open();
}

} // namespace curvalia::ui
