#include "ui/main/StudyHost.h"

#include "ui/explore/StudyMarksLayer.h"
#include "ui/host/MainPlotHost.h"
#include "ui/main/SoundActions.h"
#include "ui/plotview/PlotOverlay.h"
#include "ui/windows/StudySummary.h"
#include "ui/windows/StudyWindow.h"
#include "ui/windows/WindowPlacement.h"

#include <QLineEdit>

#include <cmath>

namespace curvalia::ui {

StudyHost::StudyHost(QWidget& mainWindow, QLineEdit& fx, plot::DrawCommand& draw,
                     MainPlotHost& host, PlotOverlay& overlay)
    : QObject(&mainWindow), mainWindow_(mainWindow), fx_(fx), draw_(draw), host_(host),
      overlay_(overlay) {
    overlay_.addLayer(std::make_unique<StudyMarksLayer>([this] {
        StudyMarks marks;
        const analysis::Study* study = shownStudy();
        const auto& frame = draw_.publishedFrame();
        if (!study || !frame)
            return marks;
        const plot::PlotModel& model = draw_.model();
        const auto curve = model.find(study->expression);
        marks.colour = curve ? model.curves()[*curve].colour : 10;
        const double ymin = frame->Ymax - frame->RangeY;
        for (const analysis::StudyPoint& p : study->points) {
            if (std::isfinite(p.y) && frame->Xmin <= p.x && p.x <= frame->Xmin + frame->RangeX &&
                ymin <= p.y && p.y <= frame->Ymax)
                marks.twips.emplace_back(frame->column(p.x), frame->row(p.y));
        }
        return marks;
    }));
}

std::optional<analysis::StudyRange> StudyHost::range(std::string* why) const {
    std::optional<plot::PlotRange> r = draw_.model().view();
    if (!r) {
        const plot::RangeTexts texts = host_.rangeTexts();
        const plot::RangeReading reading = plot::readRange(texts);
        if (reading.verdict != plot::RangeVerdict::Valid) {
            *why = plot::refusalText(texts, reading.verdict);
            return std::nullopt;
        }
        r = reading.range;
    }
    // A view the study cannot take, it refuses itself, saying why.
    return analysis::StudyRange{r->Xmin, r->Xmax, r->Ymin, r->Ymax, r->Step};
}

void StudyHost::open() {
    if (!window_) {
        window_ = new StudyWindow({[this] { return fx_.text().toStdString(); },
                                   [this](std::string* why) { return range(why); },
                                   [this](const std::string& expression) {
                                       std::vector<std::string> others;
                                       const plot::PlotModel& model = draw_.model();
                                       for (const std::size_t i : model.shownCurves())
                                           if (model.curves()[i].expression != expression)
                                               others.push_back(model.curves()[i].expression);
                                       return others;
                                   }},
                                  draw_.busy(), &mainWindow_);
        keepClearWhenGrowing(*window_, mainWindow_);
        connect(window_, &StudyWindow::studyChanged, this, [this] { overlay_.layersChanged(); });
        connect(window_, &QDialog::finished, this, [this] { overlay_.layersChanged(); });
        if (sound_) {
            connect(window_, &StudyWindow::listenRequested, sound_, &SoundActions::play);
            connect(window_, &StudyWindow::saveSoundRequested, sound_, &SoundActions::save);
        }
    }
    if (!window_->isVisible())
        placeBeside(*window_, mainWindow_);
    window_->show();
    window_->raise();
    window_->activateWindow();
    window_->refresh();
}

void StudyHost::plotChanged() {
    if (window_ && window_->isVisible())
        window_->refresh();
}

QString StudyHost::drawSummary() const {
    std::string why;
    const std::optional<analysis::StudyRange> view = range(&why);
    if (!view)
        return {};
    analysis::FunctionStudy study;
    return studySummary(study.study(fx_.text().toStdString(), *view), view->Xmin, view->Xmax);
}

const analysis::Study* StudyHost::shownStudy() const {
    if (!window_ || !window_->marksShown() || window_->study().refusal)
        return nullptr;
    return &window_->study();
}

} // namespace curvalia::ui
