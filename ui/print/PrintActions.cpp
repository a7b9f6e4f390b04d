#include "ui/print/PrintActions.h"

#include "ui/print/PrintOptionsWidget.h"

#include <QAction>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

namespace curvalia::ui {

namespace {

const char* const kNothingDrawn =
    "Impossibile stampare: non c'\xC3\xA8 ancora nessun grafico. Disegnare prima una funzione.";

} // namespace

PrintActions::PrintActions(QWidget& window, QAction* print, plot::DrawCommand& draw,
                           const QAction& axisNumbers, Note note)
    : QObject(&window), window_(window), draw_(draw), axisNumbers_(axisNumbers),
      note_(std::move(note)) {
    setObjectName(QStringLiteral("printActions"));
    askPrinter = [this](QPrinter& printer, PageOptions& options) {
        return askWithDialog(printer, options);
    };
    askFit = [this](const QString& question) {
        return QMessageBox::question(&window_, QStringLiteral(CURVALIA_TITLE), question,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
    showError = [this](const QString& text) {
        QMessageBox::warning(&window_, QStringLiteral(CURVALIA_TITLE), text);
    };
    connect(print, &QAction::triggered, this, &PrintActions::print);
    // A half-drawn plot is not what the page would show.
    draw_.busy().listen([entry = QPointer<QAction>(print)](bool running) {
        if (entry)
            entry->setEnabled(!running);
    });
}

bool PrintActions::askWithDialog(QPrinter& printer, PageOptions& options) {
    QPrintDialog dialog(&printer, &window_);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, 1); // one page
    auto* choices = new PrintOptionsWidget(options);
    dialog.setOptionTabs({choices});
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = choices->options();
    return true;
}

void PrintActions::print() {
    // The dialog's event loop would let the draw run on under it.
    if (draw_.busy().busy()) {
        note_(QString::fromUtf8(kBusyNote));
        return;
    }
    const std::optional<plot::PlotRange> view = draw_.model().view();
    if (!view) {
        showError(QString::fromUtf8(kNothingDrawn));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    // Also the name offered for a PDF file: an expression such as 1/x
    // would make a path of it.
    printer.setDocName(QStringLiteral("grafico"));
    printer.setCreator(QStringLiteral(CURVALIA_TITLE));
    PageOptions options = options_;
    if (!askPrinter(printer, options) || draw_.busy().busy())
        return;
    options_ = options;
    PlotPage page(draw_, *view, axisNumbers_.isChecked(), options);
    printer.setDocName(page.title()); // the title the file or the queue shows
    if (options.scale == PageScale::Centimetre && !page.fitsAtCentimetre(printer.pageLayout())) {
        if (!askFit(page.tooBigQuestion(printer.pageLayout())))
            return;
        page.setScale(PageScale::Fit);
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        showError(QStringLiteral("Impossibile stampare: la stampante o il file scelto non "
                                 "accettano la pagina."));
        return;
    }
    const bool painted = page.paint(painter, printer).has_value();
    painter.end();
    if (!painted)
        showError(QString::fromUtf8("Impossibile stampare: la pagina \xC3\xA8 troppo piccola per "
                                    "il grafico."));
}

QByteArray PrintActions::pdf(plot::Background background) {
    const std::optional<plot::PlotRange> view = draw_.model().view();
    if (!view || draw_.busy().busy())
        return {};
    PlotPage page(draw_, *view, axisNumbers_.isChecked(), {PageScale::Fit, background});
    return plotPdf(page);
}

} // namespace curvalia::ui
