// The settings dialog "Area": the five texts of the plot range and step.
// It refuses nothing; the draw command reads the texts when a draw starts.
// While a text will not be read as typed, a note under the fields says how
// it will be read, and the dialog grows to hold it.
// "OK" and the window's close box only hide it, so the next opening shows
// what was typed last; Esc hides it too, and puts back the texts it opened
// with. Each opening starts on X min, its text selected, so that typing
// replaces it.
#pragma once

#include "layout/GrowingNote.h"
#include "plot/PlotHost.h"

#include <QDialog>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;

namespace curvalia::ui {

class AreaDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AreaDialog(QWidget* parent = nullptr);

    plot::RangeTexts rangeTexts() const;
    // Replaces the five texts.
    void setRangeTexts(const plot::RangeTexts& texts);
    // The five fields, disabled while a draw runs.
    void setFieldsEnabled(bool enabled);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
  signals:
    // The note under the fields now says text (empty: it has gone).
    void noteChanged(const QString& text);

  private:
    void updateNote();
    std::array<QLineEdit*, 5> fields() const {
        return {XminTXT_, XmaxTXT_, YminTXT_, YmaxTXT_, PrecisioneTXT_};
    }

    QLineEdit* XminTXT_;
    QLineEdit* XmaxTXT_;
    QLineEdit* YminTXT_;
    QLineEdit* YmaxTXT_;
    QLineEdit* PrecisioneTXT_;
    std::unique_ptr<layout::GrowingNote> note_;
    plot::RangeTexts opened_; // what Esc puts back
    QLineEdit* focusBeforeDisabling_ = nullptr;
};

} // namespace curvalia::ui
