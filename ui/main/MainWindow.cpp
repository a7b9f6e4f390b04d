#include "ui/main/MainWindow.h"

#include "calc/ValueWindow.h"
#include "layout/Labels.h"
#include "layout/Twips.h"
#include "layout/WindowHints.h"
#include "platform/QtAudioOutput.h"
#include "plot/Palette.h"
#include "ui/explore/CoordinateLabel.h"
#include "ui/explore/LiveDrawing.h"
#include "ui/explore/PlotExplorer.h"
#include "ui/explore/TraceControl.h"
#include "ui/host/MainPlotHost.h"
#include "ui/host/QtEventQueue.h"
#include "ui/host/ScreenReaderRoute.h"
#include "ui/host/StatusLine.h"
#include "ui/main/Announcements.h"
#include "ui/main/AppearanceActions.h"
#include "ui/main/KeyboardActions.h"
#include "ui/main/Legend.h"
#include "ui/main/MainWindowGrowth.h"
#include "ui/main/PictureButton.h"
#include "ui/main/SessionActions.h"
#include "ui/main/SoundActions.h"
#include "ui/main/StudyHost.h"
#include "ui/main/ToolButtons.h"
#include "ui/plotview/AxisNumbers.h"
#include "ui/plotview/CurveLegendLayer.h"
#include "ui/plotview/PlotActions.h"
#include "ui/plotview/PlotOverlay.h"
#include "ui/plotview/PlotSurfaceWidget.h"
#include "ui/plotview/ProgressMeter.h"
#include "ui/print/PrintActions.h"
#include "ui/windows/AreaDialog.h"
#include "ui/windows/FunctionListWindow.h"
#include "ui/windows/WindowPlacement.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace curvalia::ui {

using layout::addLabel;
using layout::arialFont;
using layout::px;
using layout::setMainWindowHints;
using layout::twipsRect;

namespace {

constexpr int kClientWidth = 7770;
constexpr int kClientHeight = 6435;

} // namespace

MainWindow::MainWindow(QWidget* parent) : MainWindow(nullptr, parent) {}

MainWindow::MainWindow(std::unique_ptr<platform::ScreenReader> reader, QWidget* parent)
    : QMainWindow(parent), reader_(reader ? std::move(reader) : makeScreenReader(*this)) {
    setObjectName(QStringLiteral("FRM"));
    setWindowTitle(QStringLiteral("Curvalia Light v1.1"));
    setMainWindowHints(*this);
    setFont(arialFont(8.25));

    menu_ = std::make_unique<MainMenu>(menuBar(), this);
    buildFrames();
    connectMenu();
    // It opens at the size its controls were placed for, and no smaller.
    resize(sizeHint());

    statusLine_ = std::make_unique<StatusLine>(*StatusBar);
    engine_.setStatusSink(statusLine_->engineSink());
    area_ = new AreaDialog(this);
    keepClearWhenGrowing(*area_, *this);
    events_ =
        std::make_unique<QtEventQueue>(std::initializer_list<PlotSurfaceWidget*>{Graph, ScrollBar});
    host_ = std::make_unique<MainPlotHost>(
        MainPlotHost::Parts{*statusLine_, *MyFx, *area_, *menu_->funzione, *menu_->derpri, *events_,
                            [this](bool enabled) { setDrawInputsEnabled(enabled); },
                            [this] { return closeAfterDraw_; }});
    // Through the meter, which tells a screen reader how far the draw has come.
    drawCommand_ = std::make_unique<plot::DrawCommand>(
        engine_, switches_, *Graph, *new ProgressMeter(*ScrollBar), *host_, clock_, model_);
    host_->follow(drawCommand_->busy());
    connectToolButtons();
    centreOnPointerScreen(*this);
    buildPlotExtras();
    announcements_ = new Announcements(
        *reader_,
        {*statusLine_, *coordinates_, *area_, *trace_, *menu_, *tools_->speedSwitch, *study_},
        this);
}

MainWindow::~MainWindow() {
    // Before the reader goes: nothing said while the window comes apart.
    delete announcements_;
}

bool MainWindow::isDrawing() const {
    return drawCommand_->busy().busy();
}

void MainWindow::buildFrames() {
    auto* client = new QWidget(this);
    client->resize(px(kClientWidth), px(kClientHeight));
    setCentralWidget(client);

    Frame2 = new QGroupBox(client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twipsRect(120, 0, 7635, 5835));

    Graph = new PlotSurfaceWidget(PlotSurfaceWidget::graphLook(), Frame2);
    Graph->setObjectName(QStringLiteral("Graph"));
    Graph->move(px(120), px(240));
    Graph->setMouseTracking(true);

    auto* Line1 = new QFrame(Frame2);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(px(120), px(5040) - 1, px(7380), 2);

    QLabel* Label1 = addLabel(Frame2, "Label1",
                              "Espressione della funzione f(x):", twipsRect(300, 5160, 2655, 195));
    MyFx = new QLineEdit(Frame2);
    Label1->setBuddy(MyFx); // which also names the box for a screen reader
    MyFx->setObjectName(QStringLiteral("MyFx"));
    MyFx->setGeometry(twipsRect(180, 5400, 6615, 315));
    MyFx->setMaxLength(engine::Engine::kMaxExpressionLength);
    MyFx->setFont(arialFont(9.75, true));
    QPalette grey = MyFx->palette();
    grey.setColor(QPalette::Base, QColor(224, 224, 224));
    MyFx->setPalette(grey);

    legend_ = new Legend(*Frame2, switches_.CurveColor, *menu_->funzione, *menu_->derpri);
    tools_ = new ToolButtons(*Frame2, *Graph);
    // Labels, swatches and the separator lie on the frame: a move over them
    // is a move over the frame, so they pass it on (they ignore it) instead
    // of swallowing it.
    for (QWidget* passive :
         std::initializer_list<QWidget*>{Line1, legend_->Shape1, legend_->Shape2})
        passive->setMouseTracking(true);
    for (QLabel* label : Frame2->findChildren<QLabel*>())
        label->setMouseTracking(true);

    auto* Frame1 = new QGroupBox(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(60, 5820, 7635, 555));
    StatusBar = addLabel(Frame1, "StatusBar", "", twipsRect(180, 180, 7275, 195));
    StatusBar->setFont(arialFont(8.25));
    ScrollBar = new PlotSurfaceWidget(
        PlotSurfaceWidget::progressBarLook(palette().color(QPalette::Window)), Frame1);
    ScrollBar->setObjectName(QStringLiteral("ScrollBar"));
    ScrollBar->move(px(420), px(420));
    growth_ = followWindowSize({*client, *Frame2, *Graph, *Frame1});
}

void MainWindow::buildPlotExtras() {
    // The read-out and notes at the right of the status area, on the row of
    // the status line, ending where the status line ends.
    coordinates_ = new CoordinateLabel(
        *Graph, [this] { return drawCommand_->publishedFrame(); }, StatusBar->parentWidget(),
        StatusBar->x() + px(7275), StatusBar->y());
    growth_->add([this, rightEdge = coordinates_->x()](QSize growth) {
        coordinates_->setRightEdge(rightEdge + growth.width());
    });
    overlay_ = new PlotOverlay(*Graph);
    auto* numbers = overlay_->addLayer(
        std::make_unique<AxisNumbersLayer>([this] { return drawCommand_->publishedFrame(); }));
    connect(menu_->axisNumbers, &QAction::toggled, this, [this, numbers](bool on) {
        numbers->setOn(on);
        overlay_->layersChanged();
    });
    plotActions_ = new PlotActions(*Graph, *this, menu_->salvagrafico, drawCommand_->busy(),
                                   [this](const QString& note) { coordinates_->showNote(note); });
    auto* print = new PrintActions(*this, menu_->stampa, *drawCommand_, *menu_->axisNumbers,
                                   [this](const QString& note) { coordinates_->showNote(note); });
    plotActions_->pdfPage = [print] { return print->pdf(); };
    // Enter in the expression box draws, as a click on the draw button does.
    connect(MyFx, &QLineEdit::returnPressed, this, &MainWindow::draw);
    keyboard_ = new KeyboardActions(*this, *menu_,
                                    {*MyFx, *tools_->penna, *tools_->Stopim, *tools_->Impostazioni,
                                     *tools_->Lente, *tools_->speedSwitch, *Graph},
                                    drawCommand_->busy());
    explorer_ = new PlotExplorer(
        {*Graph, *drawCommand_, *overlay_, *coordinates_, [this] { viewRedrawn(); }}, this);
    trace_ =
        new TraceControl({*Graph, *overlay_, *drawCommand_, *coordinates_, engine_, *menu_->traccia,
                          [this](const QString& x) { calculateAt(x); },
                          [this](const std::string& expression) { showExpression(expression); },
                          legend_->derivativeParts(), [this] { return study_->shownStudy(); }},
                         this);
    // With several curves on the plot a legend tells them apart; it and the
    // list of functions follow the model.
    overlay_->addLayer(std::make_unique<CurveLegendLayer>(model_));
    study_ = new StudyHost(*this, *MyFx, *drawCommand_, *host_, *overlay_);
    connect(menu_->studio, &QAction::triggered, study_, &StudyHost::open);
    auto* sound = new SoundActions(*this,
                                   {[this] { return MyFx->text().toStdString(); },
                                    [this](std::string* why) { return study_->range(why); },
                                    [this](const QString& text) {
                                        statusLine_->write(StatusOwner::Nobody, text.toStdString());
                                    }},
                                   std::make_unique<platform::QtAudioOutput>());
    study_->offerSound(*sound);
    connect(menu_->ascolta, &QAction::triggered, sound, &SoundActions::play);
    model_.listen([this] {
        overlay_->layersChanged();
        study_->plotChanged();
    });
    connect(menu_->elencoFunzioni, &QAction::triggered, this, &MainWindow::showFunctionList);
    buildLiveDrawing();
    auto* looks = new AppearanceActions(
        {*menu_->aspetto, *drawCommand_, *Graph, *overlay_, *legend_, [this] { viewRedrawn(); }},
        *this);
    sessions_ = new SessionActions(
        {*menu_, switches_, *area_, *drawCommand_, *MyFx, *looks, [this] { viewRedrawn(); }},
        *this);
}

void MainWindow::viewRedrawn() {
    trace_->drawn();
    study_->plotChanged();
    overlay_->layersChanged();
}

void MainWindow::showExpression(const std::string& expression) {
    if (engine::toLowerText(MyFx->text().toStdString()) != expression)
        MyFx->setText(QString::fromStdString(expression));
    if (const auto index = model_.find(expression))
        model_.setEdited(*index);
}

void MainWindow::connectToolButtons() {
    connect(tools_->penna, &PictureButton::clicked, this, &MainWindow::draw);
    connect(tools_->Stopim, &PictureButton::clicked, this, [this] { drawCommand_->requestStop(); });
    connect(tools_->Impostazioni, &PictureButton::clicked, this, &MainWindow::showSettings);
    connect(tools_->Lente, &PictureButton::clicked, this, &MainWindow::showValueWindow);
    connect(tools_->speedSwitch, &PictureButton::clicked, this, &MainWindow::toggleSpeed);
}

void MainWindow::connectMenu() {
    connect(menu_->colourGroup, &QActionGroup::triggered, this, &MainWindow::chooseColour);
    connect(menu_->GrigliaM, &QAction::triggered, this,
            [this] { switches_.GridOn = ~switches_.GridOn; });
    connect(menu_->noncancellare, &QAction::triggered, this,
            [this] { switches_.ClearBeforePlot = ~switches_.ClearBeforePlot; });
    connect(menu_->Uscita, &QAction::triggered, this, &QWidget::close);
    connect(menu_->credits, &QAction::triggered, this, &MainWindow::creditsRequested);
    connect(menu_->help, &QAction::triggered, this, &MainWindow::helpRequested);
}

void MainWindow::chooseColour(QAction* entry) {
    switches_.CurveColor = static_cast<std::int16_t>(entry->data().toInt());
    legend_->setCurveColour(switches_.CurveColor);
}

void MainWindow::draw() {
    // A click or F5 that arrives while the draw yields is ignored, and the
    // trace is told only about the draw that ends.
    if (isDrawing())
        return;
    drawCommand_->run();
    trace_->drawn();
    study_->plotChanged();
    announcements_->drawEnded();
    if (closeAfterDraw_)
        close();
}

void MainWindow::showSettings() {
    if (!area_->isVisible())
        placeBeside(*area_, *this);
    area_->show();
    area_->raise();
    area_->activateWindow();
}

void MainWindow::showValueWindow() {
    if (!valueWindow_) {
        valueWindow_ = new calc::ValueWindow(
            engine_, [this] { return MyFx->text().toStdString(); },
            calc::StatusShare{[this](std::string_view text) {
                                  statusLine_->write(StatusOwner::Calculator, text);
                              },
                              [this] { statusLine_->claimEngine(StatusOwner::Calculator); },
                              [this] { return statusLine_->owner() == StatusOwner::Calculator; },
                              [this] { statusLine_->releaseEngine(StatusOwner::Calculator); }},
            drawCommand_->busy(), this);
        keepClearWhenGrowing(*valueWindow_, *this);
        connect(valueWindow_, &calc::ValueWindow::calculated, trace_,
                [this] { trace_->calculated(valueWindow_->lastCalculation()); });
        announcements_->follow(*valueWindow_);
    }
    // Beside the plot rather than over it, as far as the screen allows.
    if (!valueWindow_->isVisible())
        placeBeside(*valueWindow_, *this);
    valueWindow_->show();
    valueWindow_->raise();
    valueWindow_->activateWindow();
}

void MainWindow::calculateAt(const QString& x) {
    showValueWindow();
    valueWindow_->calculateAt(x);
}

void MainWindow::toggleSpeed() {
    switches_.YieldEachSample = ~switches_.YieldEachSample;
    tools_->speedSwitch->setShowsSecond(!tools_->speedSwitch->showsSecond());
}

void MainWindow::setDrawInputsEnabled(bool enabled) {
    if (!enabled)
        keyboard_->rememberFocus();
    area_->setFieldsEnabled(enabled);
    MyFx->setEnabled(enabled);
    // A disabled button looks disabled and does not light up under the pointer.
    for (PictureButton* button : {tools_->Impostazioni, tools_->Lente})
        button->setEnabled(enabled);
    keyboard_->followDrawInputs(enabled);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (isDrawing()) {
        // The draw is still on the call stack: stop it, and close when it
        // has unwound (see draw()).
        closeAfterDraw_ = true;
        drawCommand_->requestStop();
        event->ignore();
        return;
    }
    closeAfterDraw_ = false;
    // Exit ends the program: no other window of it may stay open, be it the
    // settings dialog, the value calculator or an About box.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
    event->accept();
}

} // namespace curvalia::ui
