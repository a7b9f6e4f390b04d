#include "calc/ValueWindow.h"

#include "engine/NumberText.h"
#include "layout/GrowingNote.h"
#include "layout/Labels.h"
#include "layout/NumberWriter.h"
#include "layout/Twips.h"
#include "layout/WindowHints.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace curvalia::calc {

using layout::addLabel;
using layout::px;
using layout::twipsRect;

namespace {

// Client area of the window, in twips: the controls plus a margin.
constexpr int kClientWidth = 2655;
constexpr int kClientHeight = 3690;

QLineEdit* addField(QWidget* parent, const char* name, QRect where, bool output) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(where);
    field->setReadOnly(output);
    return field;
}

} // namespace

std::string localeNumberText(double v) {
    return layout::interfaceNumber(v, layout::Digits::significant(15)).toStdString();
}

QString spokenResults(const CalcFields& fields) {
    // A field shows no number when it is empty or says "Non definita!".
    const auto part = [](const std::string& shown, QString shownAs, QString undefined) {
        if (shown.empty() || shown == kUndefinedText)
            return undefined;
        return shownAs.arg(QString::fromStdString(shown));
    };
    return QStringList{
        part(fields.VY, QStringLiteral("f(x) = %1"), QStringLiteral("f(x) non definita")),
        part(fields.Angolo, QStringLiteral("angolo %1 gradi"),
             QStringLiteral("angolo non definito")),
        part(fields.DPrima, QStringLiteral("f'(x) = %1"), QStringLiteral("f'(x) non definita"))}
        .join(QStringLiteral("; "));
}

ValueWindow::ValueWindow(engine::Engine& engine, ExpressionReader expression, StatusShare status,
                         plot::DrawBusy& busy, QWidget* parent)
    : QDialog(parent), calculator_(engine, localeNumberText, std::move(status)), busy_(busy),
      expression_(std::move(expression)) {
    setObjectName(QStringLiteral("ValoreFRM"));
    setWindowTitle(QStringLiteral("Valore"));
    // A window of its own even with the main window as parent, kept above it.
    layout::setFixedDialogHints(*this);
    // The fixed layout was measured for this face and size; the platform's
    // default font may be larger and would clip the labels.
    setFont(layout::arialFont(8.25));
    setFixedSize(px(kClientWidth), px(kClientHeight));

    QLabel* Label1 = addLabel(this, "Label1", "x:", twipsRect(240, 480, 255, 255));
    VX = addField(this, "VX", twipsRect(600, 480, 1695, 285), false);
    QLabel* Label2 = addLabel(this, "Label2", "f(x):", twipsRect(240, 840, 255, 255));
    VY = addField(this, "VY", twipsRect(600, 840, 1695, 285), true);
    QLabel* Label5 = addLabel(this, "Label5", "Angolo:", twipsRect(120, 1320, 735, 255));
    Angolo = addField(this, "Angolo", twipsRect(840, 1320, 975, 285), true);
    addLabel(this, "Label6", "gradi", twipsRect(1920, 1320, 495, 255));
    // The unit beside the field is no label of it: the field says it itself.
    Angolo->setAccessibleDescription(QStringLiteral("gradi"));
    QLabel* Label3 = addLabel(this, "Label3", "f'(x):", twipsRect(240, 1920, 375, 255));
    DPrima = addField(this, "DPrima", twipsRect(600, 1920, 1575, 285), true);
    // Each label in front of a field is its buddy, which names the field for
    // a screen reader.
    Label1->setBuddy(VX);
    Label2->setBuddy(VY);
    Label5->setBuddy(Angolo);
    Label3->setBuddy(DPrima);

    Command1 = new QPushButton(QStringLiteral("Calcola"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(840, 3000, 1155, 375));
    // Not a default button: that would change its look, and Enter in the x
    // field would press it a second time.
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &ValueWindow::calculate);
    // Enter in the x field works like the button, and like it does nothing
    // while a draw runs.
    connect(VX, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    xNote_ = std::make_unique<layout::GrowingNote>(*this, "XNote",
                                                   QSize(kClientWidth, kClientHeight), 240);

    Command1->setEnabled(!busy.busy());
    busy.listen([button = QPointer<QPushButton>(Command1)](bool running) {
        if (button)
            button->setEnabled(!running);
    });
}

ValueWindow::~ValueWindow() = default;

void ValueWindow::calculate() {
    if (busy_.busy())
        return;
    const std::string expression = expression_ ? expression_() : std::string();
    const std::string xText = VX->text().toStdString();
    const CalcFields fields = calculator_.calculate(expression, xText);
    VY->setText(QString::fromStdString(fields.VY));
    DPrima->setText(QString::fromStdString(fields.DPrima));
    Angolo->setText(QString::fromStdString(fields.Angolo));
    // Which x an expression in the field came to.
    xNote_->show(
        fields.xFromExpression
            ? QStringLiteral("x = ") +
                  layout::interfaceNumber(*fields.xFromExpression, layout::Digits::significant(6))
            : QString());
    last_ = {engine::toLowerText(expression), engine::textToNumber(xText), fields};
    emit calculated();
}

void ValueWindow::calculateAt(const QString& xText) {
    VX->setText(xText);
    calculate();
}

} // namespace curvalia::calc
