#include "ui/main/Legend.h"

#include "layout/Labels.h"
#include "layout/Twips.h"
#include "plot/Palette.h"

#include <QAction>
#include <QLabel>
#include <QPainter>

namespace curvalia::ui {

using layout::addLabel;
using layout::twipsRect;

namespace {

QColor paletteColour(int number, plot::Background background = plot::Background::Black) {
    const plot::Rgb c = plot::shownColour(number, background);
    return QColor(c.r, c.g, c.b);
}

int fillFor(bool drawn) {
    return drawn ? LegendSwatch::kSolid : LegendSwatch::kTransparent;
}

} // namespace

Legend::Legend(QWidget& frame, int curveColour, QAction& function, QAction& derivative)
    : QObject(&frame), curveColour_(curveColour) {
    setObjectName(QStringLiteral("legend"));
    Shape1 = new LegendSwatch(paletteColour(curveColour), fillFor(function.isChecked()), &frame);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twipsRect(6900, 5100, 195, 195));
    Shape1->setToolTip(QStringLiteral("Funzione"));
    addLabel(&frame, "Label2", "f(x)", twipsRect(7140, 5100, 375, 195))
        ->setToolTip(QStringLiteral("Funzione"));

    Shape2 = new LegendSwatch(paletteColour(plot::kDerivativeColour),
                              fillFor(derivative.isChecked()), &frame);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(twipsRect(6900, 5340, 195, 195));
    Shape2->setToolTip(QStringLiteral("Derivata Prima"));
    Label3 = addLabel(&frame, "Label3", "f'(x)", twipsRect(7140, 5340, 435, 195));
    Label3->setToolTip(QStringLiteral("Derivata Prima"));

    connect(&function, &QAction::triggered, Shape1,
            [this](bool checked) { Shape1->setFillStyle(fillFor(checked)); });
    connect(&derivative, &QAction::triggered, Shape2,
            [this](bool checked) { Shape2->setFillStyle(fillFor(checked)); });
}

void Legend::setCurveColour(int paletteNumber) {
    curveColour_ = paletteNumber;
    colourSwatches();
}

void Legend::setBackground(plot::Background background) {
    background_ = background;
    colourSwatches();
}

void Legend::colourSwatches() {
    Shape1->setFillColor(paletteColour(curveColour_, background_));
    Shape2->setFillColor(paletteColour(plot::kDerivativeColour, background_));
}

QList<QWidget*> Legend::derivativeParts() const {
    return {Shape2, Label3};
}

LegendSwatch::LegendSwatch(QColor fillColor, int fillStyle, QWidget* parent)
    : QWidget(parent), fillColor_(fillColor), fillStyle_(fillStyle) {}

void LegendSwatch::setFillColor(QColor color) {
    fillColor_ = color;
    update();
}

void LegendSwatch::setFillStyle(int style) {
    fillStyle_ = style;
    update();
}

void LegendSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (fillStyle_ == kSolid)
        painter.fillRect(rect(), fillColor_);
    // A one-pixel outline, drawn inside the widget (hence the -1).
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace curvalia::ui
