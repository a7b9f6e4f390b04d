#include "ui/MainWindow.h"

#include "calc/ValueWindow.h"
#include "layout/Labels.h"
#include "layout/Twips.h"
#include "plot/Palette.h"
#include "ui/AreaDialog.h"
#include "ui/AxisNumbers.h"
#include "ui/CoordinateLabel.h"
#include "ui/LegendSwatch.h"
#include "ui/MainPlotHost.h"
#include "ui/MainWindowGrowth.h"
#include "ui/PictureButton.h"
#include "ui/PlotActions.h"
#include "ui/PlotOverlay.h"
#include "ui/PlotSurfaceWidget.h"
#include "ui/QtEventQueue.h"
#include "ui/StatusLine.h"
#include "ui/WindowHints.h"
#include "ui/WindowPlacement.h"

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
using layout::twipsRect;

namespace {

constexpr int kClientWidth = 7770;
constexpr int kClientHeight = 6435;

QColor paletteColour(int number) {
    const plot::Rgb c = plot::QBColor(number);
    return QColor(c.r, c.g, c.b);
}

PictureButton* addPicture(QWidget* parent, const char* name, const char* file, const char* toolTip,
                          int topTwips, bool visible) {
    auto* picture = new PictureButton(QStringLiteral(":/images/") + QString::fromLatin1(file),
                                      QString::fromUtf8(toolTip), parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->move(px(6960), px(topTwips));
    picture->setVisible(visible);
    return picture;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
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
    engine_.setStatusSink(statusLine_->sink());
    area_ = new AreaDialog(this);
    events_ =
        std::make_unique<QtEventQueue>(std::initializer_list<PlotSurfaceWidget*>{Graph, ScrollBar});
    host_ = std::make_unique<MainPlotHost>(
        MainPlotHost::Parts{*statusLine_, *MyFx, *area_, *menu_, *events_,
                            [this](bool enabled) { setDrawInputsEnabled(enabled); },
                            [this] { return closeAfterDraw_; }});
    drawCommand_ =
        std::make_unique<plot::DrawCommand>(engine_, switches_, *Graph, *ScrollBar, *host_, clock_);
    centreOnPointerScreen(*this);
    buildPlotExtras();
}

MainWindow::~MainWindow() = default;

bool MainWindow::isDrawing() const {
    return drawCommand_->isRunning();
}

void MainWindow::buildFrames() {
    auto* client = new QWidget(this);
    client->resize(px(kClientWidth), px(kClientHeight));
    setCentralWidget(client);

    Frame2 = new QGroupBox(client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twipsRect(120, 0, 7635, 5835));
    // Moves over the frame (outside the buttons) put the buttons back to normal.
    Frame2->setMouseTracking(true);
    Frame2->installEventFilter(this);

    Graph = new PlotSurfaceWidget(PlotSurfaceWidget::graphLook(), Frame2);
    Graph->setObjectName(QStringLiteral("Graph"));
    Graph->move(px(120), px(240));
    Graph->setMouseTracking(true);
    Graph->installEventFilter(this);

    auto* Line1 = new QFrame(Frame2);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(px(120), px(5040) - 1, px(7380), 2);

    addLabel(Frame2, "Label1", "Espressione della funzione f(x):", twipsRect(300, 5160, 2655, 195));
    MyFx = new QLineEdit(Frame2);
    MyFx->setObjectName(QStringLiteral("MyFx"));
    MyFx->setGeometry(twipsRect(180, 5400, 6615, 315));
    MyFx->setMaxLength(engine::Engine::kMaxExpressionLength);
    MyFx->setFont(arialFont(9.75, true));
    QPalette grey = MyFx->palette();
    grey.setColor(QPalette::Base, QColor(224, 224, 224));
    MyFx->setPalette(grey);

    buildLegend(Frame2);
    buildToolButtons(Frame2);
    // Labels, swatches and the separator lie on the frame: a move over them
    // is a move over the frame, so they pass it on (they ignore it) instead
    // of swallowing it.
    for (QWidget* passive : std::initializer_list<QWidget*>{Line1, Shape1, Shape2})
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
    plotActions_ = new PlotActions(
        *Graph, *this, menu_->salvagrafico, [this] { return isDrawing(); }, *coordinates_);
    // Enter in the expression box draws, as a click on the draw button does.
    connect(MyFx, &QLineEdit::returnPressed, this, &MainWindow::draw);
}

void MainWindow::buildLegend(QGroupBox* frame) {
    Shape1 = new LegendSwatch(paletteColour(switches_.CurveColor), LegendSwatch::kSolid, frame);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twipsRect(6900, 5100, 195, 195));
    Shape1->setToolTip(QStringLiteral("Funzione"));
    addLabel(frame, "Label2", "f(x)", twipsRect(7140, 5100, 375, 195))
        ->setToolTip(QStringLiteral("Funzione"));

    Shape2 =
        new LegendSwatch(paletteColour(plot::kDerivativeColour), LegendSwatch::kTransparent, frame);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(twipsRect(6900, 5340, 195, 195));
    Shape2->setToolTip(QStringLiteral("Derivata Prima"));
    addLabel(frame, "Label3", "f'(x)", twipsRect(7140, 5340, 435, 195))
        ->setToolTip(QStringLiteral("Derivata Prima"));
}

void MainWindow::buildToolButtons(QGroupBox* frame) {
    penna_bn = addPicture(frame, "penna_bn", "button-penna_bn.svg", "Disegna", 660, true);
    penna = addPicture(frame, "penna", "button-penna.svg", "Disegna la funzione", 660, false);
    Stop_bn = addPicture(frame, "Stop_bn", "button-stop_bn.svg", "Stop!", 1500, true);
    Stopim = addPicture(frame, "Stopim", "button-stop.svg", "STOP!", 1500, false);
    Impostazioni_bn = addPicture(frame, "Impostazioni_bn", "button-impostazioni_bn.svg",
                                 "Impostazioni", 2400, true);
    Impostazioni = addPicture(frame, "Impostazioni", "button-impostazioni.svg", "Imposta gli assi",
                              2400, false);
    Lente_bn = addPicture(frame, "Lente_bn", "button-lente_bn.svg", "Valore di y", 3240, true);
    Lente = addPicture(frame, "Lente", "button-lente.svg", "Controlla valore", 3240, false);
    Image2 = addPicture(frame, "Image2", "button-speed-on.svg", "Speed Attivato", 4080, true);
    Image1 = addPicture(frame, "Image1", "button-speed-off.svg", "Speed Disattivato", 4080, false);

    const std::pair<PictureButton*, PictureButton*> pairs[] = {
        {penna_bn, penna}, {Stop_bn, Stopim}, {Impostazioni_bn, Impostazioni}, {Lente_bn, Lente}};
    for (const auto& [normal, twin] : pairs)
        connect(normal, &PictureButton::hovered, this,
                [this, normal = normal, twin = twin] { highlight(normal, twin); });

    connect(penna, &PictureButton::clicked, this, &MainWindow::draw);
    connect(Stopim, &PictureButton::clicked, this, [this] { drawCommand_->requestStop(); });
    connect(Impostazioni, &PictureButton::clicked, this, &MainWindow::showSettings);
    connect(Lente, &PictureButton::clicked, this, &MainWindow::showValueWindow);
    connect(Image1, &PictureButton::clicked, this, &MainWindow::toggleSpeed);
    connect(Image2, &PictureButton::clicked, this, &MainWindow::toggleSpeed);
}

void MainWindow::connectMenu() {
    connect(menu_->colourGroup, &QActionGroup::triggered, this, &MainWindow::chooseColour);
    connect(menu_->funzione, &QAction::triggered, this, [this](bool checked) {
        Shape1->setFillStyle(checked ? LegendSwatch::kSolid : LegendSwatch::kTransparent);
    });
    connect(menu_->derpri, &QAction::triggered, this, [this](bool checked) {
        Shape2->setFillStyle(checked ? LegendSwatch::kSolid : LegendSwatch::kTransparent);
    });
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
    Shape1->setFillColor(paletteColour(switches_.CurveColor));
}

void MainWindow::draw() {
    // A click that arrives while the draw yields is ignored by the command;
    // the window has nothing to add to that.
    drawCommand_->run();
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
            engine_, [this] { return MyFx->text().toStdString(); }, statusLine_->sink(),
            [this] { return StatusBar->text().toStdString(); }, this);
        valueWindow_->setCalculateEnabled(inputsEnabled_);
    }
    // Beside the plot rather than over it, as far as the screen allows.
    if (!valueWindow_->isVisible())
        placeBeside(*valueWindow_, *this);
    valueWindow_->show();
    valueWindow_->raise();
    valueWindow_->activateWindow();
}

void MainWindow::toggleSpeed() {
    switches_.YieldEachSample = ~switches_.YieldEachSample;
    Image1->setVisible(!Image1->isVisible());
    Image2->setVisible(!Image2->isVisible());
}

void MainWindow::resetButtonImages() {
    for (PictureButton* twin : {Lente, Stopim, Impostazioni, penna})
        twin->setVisible(false);
    for (PictureButton* normal : {Lente_bn, Stop_bn, Impostazioni_bn, penna_bn})
        normal->setVisible(true);
}

void MainWindow::highlight(PictureButton* normal, PictureButton* twin) {
    resetButtonImages();
    normal->setVisible(false);
    twin->setVisible(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && (watched == Frame2 || watched == Graph))
        resetButtonImages();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setDrawInputsEnabled(bool enabled) {
    inputsEnabled_ = enabled;
    area_->setFieldsEnabled(enabled);
    MyFx->setEnabled(enabled);
    // Both pictures of each button, so a disabled button looks disabled and
    // does not light up under the pointer.
    for (PictureButton* picture : {Impostazioni_bn, Impostazioni, Lente_bn, Lente})
        picture->setEnabled(enabled);
    if (valueWindow_)
        valueWindow_->setCalculateEnabled(enabled);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (drawCommand_->isRunning()) {
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
