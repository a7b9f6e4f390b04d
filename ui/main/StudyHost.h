// The study of a function as the main window offers it: the window "Studio
// della funzione" (opened by F7 beside the others), for the expression in
// the expression box over the plot's view, and its points marked on the
// plot while the window shows them. The main window tells it whenever the
// plot changes.
#pragma once

#include "analysis/FunctionStudy.h"
#include "plot/DrawCommand.h"

#include "ui/windows/StudyWindow.h"
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>
#include <string>

class QLineEdit;

namespace curvalia::ui {

class MainPlotHost;
class PlotOverlay;
class SoundActions;
class StudyWindow;

class StudyHost : public QObject {
    Q_OBJECT
  public:
    StudyHost(QWidget& mainWindow, QLineEdit& fx, plot::DrawCommand& draw, MainPlotHost& host,
              PlotOverlay& overlay);

    void open();
    // The view, the curves or the expression's curve changed.
    void plotChanged();
    // The study whose points the plot shows, if any.
    const analysis::Study* shownStudy() const;
    StudyWindow* window() const { return window_; }
    // The study window's sound buttons ask sound.
    void offerSound(SoundActions& sound) { sound_ = &sound; }
    // What a screen reader hears of the study of the expression after a
    // draw (see StudySummary.h): the study is made for it, so only ask
    // while someone listens. Empty when the study is refused.
    QString drawSummary() const;
    // The view, or without one the range of "Area"; none when neither can
    // be drawn (its message in *why).
    std::optional<analysis::StudyRange> range(std::string* why) const;

  private:
    QWidget& mainWindow_;
    QLineEdit& fx_;
    plot::DrawCommand& draw_;
    MainPlotHost& host_;
    PlotOverlay& overlay_;
    QPointer<StudyWindow> window_;
    SoundActions* sound_ = nullptr;
};

} // namespace curvalia::ui
