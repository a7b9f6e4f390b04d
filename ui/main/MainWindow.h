// The main window "Curvalia Light v1.1": the plot surface, the expression
// box, the tool buttons, the legend, the status line with the progress bar,
// and the menus. It owns the engine, the plot switches and the draw command,
// and opens the settings dialog and the value calculator.
#pragma once

#include "engine/Engine.h"
#include "platform/ScreenReader.h"
#include "plot/DrawCommand.h"
#include "plot/PlotHost.h"
#include "plot/PlotSettings.h"
#include "ui/main/MainMenu.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace curvalia::calc {
class ValueWindow;
}

namespace curvalia::layout {
class GrowthLayout;
}

namespace curvalia::platform {
class ScreenReader;
}

namespace curvalia::ui {

class Announcements;
class AreaDialog;
class CoordinateLabel;
class FunctionListWindow;
class KeyboardActions;
class LiveDrawing;
class StudyHost;
class Legend;
class MainPlotHost;
class PictureButton;
class PlotActions;
class PlotOverlay;
class PlotExplorer;
class PlotSurfaceWidget;
class SessionActions;
class QtEventQueue;
class StatusLine;
class ToolButtons;
class TraceControl;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    // reader: what the window says to a screen reader goes there (tests
    // listen); none: the desktop's own route.
    MainWindow(std::unique_ptr<platform::ScreenReader> reader, QWidget* parent);
    ~MainWindow() override;

    const plot::PlotSwitches& switches() const { return switches_; }
    const plot::PlotModel& plotModel() const { return model_; }
    bool isDrawing() const;
    AreaDialog* areaDialog() const { return area_; }
    // Created on the first click of the value button.
    calc::ValueWindow* valueWindow() const { return valueWindow_; }
    // Opening and saving the whole state of a lesson.
    SessionActions* sessions() const { return sessions_; }

  signals:
    void creditsRequested();
    void helpRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildFrames();
    void connectToolButtons();
    void connectMenu();
    void buildPlotExtras();
    void buildLiveDrawing();
    // After the plot was drawn again from its model: the marks over it follow.
    void viewRedrawn();
    // The traced curve's expression into the expression box, unless it is there.
    void showExpression(const std::string& expression);

    void draw();
    void showSettings();
    void showValueWindow();
    void showFunctionList();
    void calculateAt(const QString& x);
    void toggleSpeed();
    void chooseColour(QAction* entry);
    void setDrawInputsEnabled(bool enabled);

    engine::Engine engine_;
    plot::PlotSwitches switches_;
    plot::PlotModel model_;
    plot::SteadyClock clock_;

    std::unique_ptr<MainMenu> menu_;
    PlotSurfaceWidget* Graph = nullptr;
    PlotSurfaceWidget* ScrollBar = nullptr;
    QLineEdit* MyFx = nullptr;
    QLabel* StatusBar = nullptr;
    Legend* legend_ = nullptr; // Shape1 and Shape2 with their labels
    QGroupBox* Frame2 = nullptr;
    ToolButtons* tools_ = nullptr; // penna, Stopim, Impostazioni, Lente, the speed switch

    AreaDialog* area_ = nullptr;
    calc::ValueWindow* valueWindow_ = nullptr;
    FunctionListWindow* functionList_ = nullptr; // created on first opening
    // Set when the window is asked to close while a draw runs: the draw is
    // stopped and the window closes as soon as it has ended.
    bool closeAfterDraw_ = false;

    std::unique_ptr<StatusLine> statusLine_;
    std::unique_ptr<QtEventQueue> events_;
    std::unique_ptr<MainPlotHost> host_;
    std::unique_ptr<plot::DrawCommand> drawCommand_;

    CoordinateLabel* coordinates_ = nullptr;
    PlotOverlay* overlay_ = nullptr;         // layers drawn over Graph
    layout::GrowthLayout* growth_ = nullptr; // the controls follow the window's size
    PlotActions* plotActions_ = nullptr;
    KeyboardActions* keyboard_ = nullptr;
    PlotExplorer* explorer_ = nullptr;
    TraceControl* trace_ = nullptr;
    LiveDrawing* live_ = nullptr;
    StudyHost* study_ = nullptr;
    SessionActions* sessions_ = nullptr;
    std::unique_ptr<platform::ScreenReader> reader_;
    Announcements* announcements_ = nullptr;
};

} // namespace curvalia::ui
