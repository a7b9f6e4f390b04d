// The main window's wiring of live drawing and of the list of functions:
// kept apart from the building of the window itself.
#include "ui/main/MainWindow.h"

#include "plot/RangeReader.h"
#include "ui/explore/LiveDrawing.h"
#include "ui/host/MainPlotHost.h"
#include "ui/host/StatusLine.h"
#include "ui/main/MainMenu.h"
#include "ui/windows/FunctionListWindow.h"
#include "ui/windows/WindowPlacement.h"

#include <QAction>
#include <QLineEdit>

namespace curvalia::ui {

void MainWindow::buildLiveDrawing() {
    live_ =
        new LiveDrawing({*MyFx, *menu_->disegnoAutomatico, *drawCommand_, engine_, *coordinates_,
                         [this](const std::string& expression) {
                             return plot::Curve{expression,
                                                switches_.CurveColor,
                                                std::nullopt,
                                                menu_->funzione->isChecked(),
                                                menu_->derpri->isChecked(),
                                                true};
                         },
                         [this]() -> std::optional<plot::PlotRange> {
                             const plot::RangeReading reading =
                                 plot::readRange(host_->rangeTexts());
                             if (reading.verdict != plot::RangeVerdict::Valid)
                                 return std::nullopt;
                             return reading.range;
                         },
                         [this](const std::string& message) {
                             // Its own message goes when the text is good again; any other stays.
                             if (!message.empty() || statusLine_->owner() == StatusOwner::Live)
                                 statusLine_->write(StatusOwner::Live, message);
                         },
                         [this] { viewRedrawn(); }},
                        this);
}

void MainWindow::showFunctionList() {
    if (!functionList_) {
        const auto redraw = [this] {
            if (auto view = model_.view())
                drawCommand_->redraw(*view);
            viewRedrawn();
        };
        // The curve goes into the expression box, and typing there now
        // replaces it.
        const auto modify = [this](std::size_t index) {
            MyFx->setText(QString::fromStdString(model_.curves().at(index).expression));
            model_.setEdited(index);
            activateWindow();
            MyFx->setFocus();
        };
        functionList_ =
            new FunctionListWindow(model_, drawCommand_->busy(), {redraw, modify}, this);
        keepClearWhenGrowing(*functionList_, *this);
    }
    if (!functionList_->isVisible())
        placeBeside(*functionList_, *this);
    functionList_->show();
    functionList_->raise();
    functionList_->activateWindow();
}

} // namespace curvalia::ui
