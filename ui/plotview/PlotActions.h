// What the main window offers on its plot beyond drawing: "Salva grafico..."
// (a save dialog, then PNG, SVG or PDF; refused while a draw runs) and "Copia
// grafico" (Ctrl+C while the plot has the focus, and in its context menu).
#pragma once

#include <QObject>
#include <QString>

#include "plot/DrawBusy.h"

#include <functional>

class QAction;
class QWidget;

namespace curvalia::ui {

class PlotSurfaceWidget;

class PlotActions : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kBusyNote = "Attendere la fine del disegno per salvare";

    // save: the window's "Salva grafico..." entry, also offered in the plot's
    // context menu; refused while busy, with a short note shown by note.
    using Note = std::function<void(const QString&)>;
    PlotActions(PlotSurfaceWidget& plot, QWidget& window, QAction* save, const plot::DrawBusy& busy,
                Note note);

    QAction* copyAction() const { return copy_; }

    // The save command: asks for a file, writes it, reports a failure.
    void save();
    void copy();

    // Replaceable for the tests: the file dialog (empty: cancelled) and the
    // message box.
    std::function<QString()> askPath;
    std::function<void(const QString&)> showError;
    // The printed page as a PDF, for a ".pdf" name; none: PDF is refused.
    std::function<QByteArray()> pdfPage;

  private:
    QString askPathWithDialog();

    PlotSurfaceWidget& plot_;
    QWidget& window_;
    const plot::DrawBusy& busy_;
    Note note_;
    QAction* copy_ = nullptr;
    QString lastFolder_;
};

} // namespace curvalia::ui
