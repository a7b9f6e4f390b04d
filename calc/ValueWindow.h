// The value calculator window "Valore": the user types x, presses "Calcola"
// and reads f(x), f'(x) and the tangent angle for the main window's
// expression. A dialog window of its own, shown without blocking the main
// window; closing it (Esc too) only hides it, so the typed x survives.
#pragma once

#include "calc/ValueCalculator.h"
#include "plot/DrawBusy.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QLineEdit;

namespace curvalia::layout {
class GrowingNote;
}
class QPushButton;

namespace curvalia::calc {

// A shown value in the user's locale, up to 15 significant digits
// ("0,66666" on an Italian desktop): the calculator's formatter.
std::string localeNumberText(double v);

// What a screen reader hears after "Calcola", each number as its field shows
// it: "f(x) = 5; angolo 80,537 gradi; f'(x) = 6", or "f(x) non definita; ..."
// for a field that shows no number.
QString spokenResults(const CalcFields& fields);

class ValueWindow : public QDialog {
    Q_OBJECT
  public:
    using ExpressionReader = std::function<std::string()>;

    // A running draw owns the engine: from its start to its end "Calcola"
    // is disabled and a calculation is refused.
    ValueWindow(engine::Engine& engine, ExpressionReader expression, StatusShare status,
                plot::DrawBusy& busy, QWidget* parent = nullptr);
    ~ValueWindow() override;

    // What the last "Calcola" computed: the expression as it was evaluated
    // (lower-cased), the x it read and the fields it wrote.
    struct Calculation {
        std::string expression;
        double x = 0;
        CalcFields fields;
    };
    const Calculation& lastCalculation() const { return last_; }

  public slots:
    // The "Calcola" click; does nothing while a draw runs.
    void calculate();
    // Types xText into the x field, then calculates as "Calcola" does.
    void calculateAt(const QString& xText);

  signals:
    // After every "Calcola" that ran (see lastCalculation()).
    void calculated();

  private:
    ValueCalculator calculator_;
    const plot::DrawBusy& busy_;
    ExpressionReader expression_;
    QLineEdit* VX;
    QLineEdit* VY;
    QLineEdit* Angolo;
    QLineEdit* DPrima;
    QPushButton* Command1;
    std::unique_ptr<layout::GrowingNote> xNote_;
    Calculation last_;
};

} // namespace curvalia::calc
