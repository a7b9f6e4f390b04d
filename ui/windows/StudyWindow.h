// The window "Studio della funzione": the study of the expression in the
// expression box over the view the plot shows, as a table of its points
// (Tipo, x, y) and, under it, its intervals and asymptotes as short Italian
// sentences. It computes when it opens and again when the plot's view or
// curves change while it is open; while a draw runs it waits and computes
// once the draw has ended. "Copia" copies the whole study as text; "Mostra
// sul grafico" marks the points on the plot; "Ascolta il grafico" and
// "Salva suono..." ask for the curve's sound, which the main window makes.
#pragma once

#include "analysis/FunctionStudy.h"
#include "plot/DrawBusy.h"

#include <QDialog>
#include <QLocale>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace curvalia::ui {

// 6 significant digits in the locale, rounded to nearest; a whole number as
// a whole number (-1, not -0,99999).
QString studyNumber(double v, const QLocale& locale = QLocale());

class StudyWindow : public QDialog {
    Q_OBJECT
  public:
    struct Sources {
        std::function<std::string()> expression; // the expression box, as typed
        // The view, or without one the range of "Area"; none when neither
        // can be drawn (its message in *why).
        std::function<std::optional<analysis::StudyRange>(std::string* why)> range;
        // The other curves shown, for the intersections.
        std::function<std::vector<std::string>(const std::string& expression)> others;
    };
    StudyWindow(Sources sources, plot::DrawBusy& busy, QWidget* parent = nullptr);

    // Computes now, or once the running draw has ended.
    void refresh();
    const analysis::Study& study() const { return study_; }
    // Whether the points go on the plot ("Mostra sul grafico", on at start).
    bool marksShown() const;
    // The study as the clipboard gets it.
    QString studyText() const;

    QTableWidget* table() const { return table_; }
    QPlainTextEdit* sentences() const { return sentences_; }

  signals:
    // The study or the marks switch changed: the marks on the plot follow.
    void studyChanged();
    void listenRequested();
    void saveSoundRequested();

  private:
    void compute();
    void display(const analysis::Study& study);

    Sources sources_;
    plot::DrawBusy& busy_;
    analysis::FunctionStudy engine_;
    analysis::Study study_;
    bool waiting_ = false;
    QLabel* heading_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPlainTextEdit* sentences_ = nullptr;
    QCheckBox* marks_ = nullptr;
    QPushButton* copy_ = nullptr;
};

} // namespace curvalia::ui
