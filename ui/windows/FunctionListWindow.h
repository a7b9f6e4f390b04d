// The window "Elenco funzioni": the curves on the plot, one row each in the
// order drawn, with their colours, their f / f' switches and whether they
// show. The user recolours, switches, hides or removes a curve, and the
// plot is drawn again from the model at once; "Modifica" hands a curve to
// the expression box. Nothing changes while a draw runs.
#pragma once

#include "plot/DrawBusy.h"
#include "plot/PlotModel.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace curvalia::ui {

// The Italian name of a palette colour (0..15; others wrap as QBColor does).
QString paletteColourName(int number);
// All 16 names, in palette order.
QStringList paletteColourNames();

class FunctionListWindow : public QDialog {
    Q_OBJECT
  public:
    struct Callbacks {
        // Draws the plot again from the model.
        std::function<void()> redraw;
        // The curve at this index goes into the expression box.
        std::function<void(std::size_t)> modify;
    };
    // Asks for one of the 16 palette colours, showing current first; none
    // when the user cancels.
    using ColourPicker =
        std::function<std::optional<int>(QWidget* parent, const QString& title, int current)>;

    enum Column { ColourF, ColourDerivative, Expression, FunctionOn, DerivativeOn, Visible };

    FunctionListWindow(plot::PlotModel& model, plot::DrawBusy& busy, Callbacks callbacks,
                       QWidget* parent = nullptr);

    // The picker asked by "Colore f..." and "Colore f'..." (a list of the
    // names by default).
    void setColourPicker(ColourPicker picker) { picker_ = std::move(picker); }

    // The curve of the selected row, if any.
    std::optional<std::size_t> selectedCurve() const;
    void selectCurve(std::size_t index);

    QTableWidget* table() const { return table_; }
    QPushButton* colourButton() const { return colourButton_; }
    QPushButton* derivativeColourButton() const { return derivativeColourButton_; }
    QPushButton* removeButton() const { return removeButton_; }
    QPushButton* modifyButton() const { return modifyButton_; }

  private:
    // The rows as the model has them now; the selection stays on its curve.
    void refresh();
    void fillRow(int row, const plot::Curve& curve);
    QTableWidgetItem* cell(int row, int column);
    void updateButtons();
    void switchToggled(QTableWidgetItem* item);
    void pickColour(bool derivative);
    void removeSelected();
    void modifySelected();
    // The model was edited: it tells its listeners, and the plot follows.
    void edited();

    plot::PlotModel& model_;
    plot::DrawBusy& busy_;
    Callbacks callbacks_;
    ColourPicker picker_;
    bool filling_ = false; // item changes made by refresh(), not by the user

    QTableWidget* table_;
    QPushButton* colourButton_;
    QPushButton* derivativeColourButton_;
    QPushButton* removeButton_;
    QPushButton* modifyButton_;
};

} // namespace curvalia::ui
