// "Stampa..." (Ctrl+P): Qt's print dialog with the page's options, then the
// plot drawn anew on the chosen printer or PDF file. Refused while a draw
// runs. The same page, fitted to A4, is what "Salva grafico..." writes as
// PDF.
#pragma once

#include "plot/DrawCommand.h"
#include "ui/print/PlotPage.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QPrinter;
class QWidget;

namespace curvalia::ui {

class PrintActions : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kBusyNote = "Attendere la fine del disegno per stampare";

    using Note = std::function<void(const QString&)>;
    // print: the menu entry; axisNumbers: "N&umeri sugli assi", read at
    // each print.
    PrintActions(QWidget& window, QAction* print, plot::DrawCommand& draw,
                 const QAction& axisNumbers, Note note);

    // The print command: asks for a printer, then prints, or says why not.
    void print();
    // The page as a PDF on A4, fitted, on the given background (empty:
    // nothing drawn yet, or it could not be made).
    QByteArray pdf(plot::Background background = plot::Background::White);

    // Replaceable for the tests: the print dialog (false: cancelled; it may
    // change the printer and the options), the question whether to fit a
    // view too large for 1 cm (true: fit), and the message box.
    std::function<bool(QPrinter&, PageOptions&)> askPrinter;
    std::function<bool(const QString&)> askFit;
    std::function<void(const QString&)> showError;

  private:
    bool askWithDialog(QPrinter& printer, PageOptions& options);

    QWidget& window_;
    plot::DrawCommand& draw_;
    const QAction& axisNumbers_;
    Note note_;
    PageOptions options_; // the last choice, offered again
};

} // namespace curvalia::ui
