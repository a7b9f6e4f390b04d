#include "ui/plotview/PlotActions.h"

#include "ui/plotview/FileQuestion.h"
#include "ui/plotview/PlotExporter.h"
#include "ui/plotview/PlotSurfaceWidget.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace curvalia::ui {

namespace {

const QString kPngFilter = QStringLiteral("Immagine PNG (*.png)");
const QString kSvgFilter = QStringLiteral("Immagine SVG (*.svg)");
const QString kPdfFilter = QStringLiteral("PDF (*.pdf)");

} // namespace

PlotActions::PlotActions(PlotSurfaceWidget& plot, QWidget& window, QAction* save,
                         const plot::DrawBusy& busy, Note note)
    : QObject(&window), plot_(plot), window_(window), busy_(busy), note_(std::move(note)) {
    setObjectName(QStringLiteral("plotActions"));
    askPath = [this] { return askPathWithDialog(); };
    showError = [this](const QString& text) {
        QMessageBox::warning(&window_, QStringLiteral(CURVALIA_TITLE), text);
    };

    copy_ = new QAction(QStringLiteral("Copia grafico"), &window);
    copy_->setObjectName(QStringLiteral("copiagrafico"));
    copy_->setShortcut(QKeySequence::Copy);
    copy_->setShortcutContext(Qt::WidgetShortcut);
    connect(copy_, &QAction::triggered, this, &PlotActions::copy);
    connect(save, &QAction::triggered, this, &PlotActions::save);

    // A click or Tab gives the plot the focus, for Ctrl+C; a right click
    // offers both.
    plot_.setFocusPolicy(Qt::StrongFocus);
    plot_.setContextMenuPolicy(Qt::ActionsContextMenu);
    plot_.addAction(copy_);
    plot_.addAction(save);
}

void PlotActions::copy() {
    copyPlotToClipboard(plot_);
}

void PlotActions::save() {
    // The picture is not finished, and the dialog's event loop would let the
    // draw run on under it.
    if (busy_.busy()) {
        note_(QString::fromUtf8(kBusyNote));
        return;
    }
    const QString path = askPath();
    if (path.isEmpty())
        return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const QString failure = savePlot(plot_, path, pdfPage);
    if (!failure.isEmpty())
        showError(failure);
}

QString PlotActions::askPathWithDialog() {
    return askForFile(&window_,
                      {QStringLiteral("Salva grafico"),
                       QStandardPaths::PicturesLocation,
                       true,
                       QStringLiteral("grafico.png"),
                       {kPngFilter, kSvgFilter, kPdfFilter},
                       {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")}},
                      lastFolder_);
}

} // namespace curvalia::ui
