#include "ui/main/SessionActions.h"

#include "platform/AtomicFile.h"
#include "plot/DrawCommand.h"
#include "session/SessionCodec.h"
#include "session/SessionView.h"
#include "ui/main/AppearanceActions.h"
#include "ui/main/MainMenu.h"
#include "ui/plotview/FileQuestion.h"
#include "ui/plotview/PlotExporter.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>

namespace curvalia::ui {

namespace {

const QString kSuffix = QStringLiteral(".curvalia");
const QString kSaveFailurePrefix = QStringLiteral("Impossibile salvare la sessione: ");

// Through the entry's own command, so the switch it drives follows.
void setChecked(QAction* entry, bool on) {
    if (entry->isChecked() != on)
        entry->trigger();
}

} // namespace

SessionActions::SessionActions(Parts parts, QWidget& window)
    : QObject(&window), parts_(std::move(parts)), window_(window) {
    setObjectName(QStringLiteral("sessionActions"));
    askOpenPath = [this] { return askWithDialog(false); };
    askSavePath = [this] { return askWithDialog(true); };
    showError = [this](const QString& text) {
        QMessageBox::warning(&window_, QStringLiteral(CURVALIA_TITLE), text);
    };
    connect(parts_.menu.apriSessione, &QAction::triggered, this, &SessionActions::openChosen);
    connect(parts_.menu.salvaSessione, &QAction::triggered, this, &SessionActions::saveChosen);
    // A draw half done is no state to save, and none to replace.
    parts_.draw.busy().listen([open = QPointer<QAction>(parts_.menu.apriSessione),
                               save = QPointer<QAction>(parts_.menu.salvaSessione)](bool running) {
        for (QAction* entry : {open.data(), save.data()}) {
            if (entry)
                entry->setEnabled(!running);
        }
    });
}

session::Session SessionActions::capture() const {
    const MainMenu& menu = parts_.menu;
    const plot::PlotModel& model = parts_.draw.model();
    session::Session s;
    s.curves = model.curves();
    s.area = parts_.area.rangeTexts();
    if (const std::optional<plot::PlotRange>& view = model.view())
        s.view = {view->Xmin, view->Xmax, view->Ymin, view->Ymax};
    else if (const plot::RangeReading reading = plot::readRange(s.area);
             reading.verdict == plot::RangeVerdict::Valid)
        s.view = {reading.range.Xmin, reading.range.Xmax, reading.range.Ymin, reading.range.Ymax};
    s.choices = {parts_.switches.CurveColor,         menu.funzione->isChecked(),
                 menu.derpri->isChecked(),           menu.GrigliaM->isChecked(),
                 menu.noncancellare->isChecked(),    menu.disegnoVeloce->isChecked(),
                 menu.axisNumbers->isChecked(),      menu.traccia->isChecked(),
                 menu.disegnoAutomatico->isChecked()};
    s.appearance = parts_.appearance.appearance();
    return s;
}

void SessionActions::apply(const session::Session& s) {
    MainMenu& menu = parts_.menu;
    const session::MenuChoices& c = s.choices;
    for (QAction* colour : menu.colours) {
        if (colour->data().toInt() == c.curveColour)
            colour->trigger();
    }
    menu.funzione->setChecked(c.function);
    menu.derpri->setChecked(c.derivative);
    setChecked(menu.GrigliaM, c.grid);
    setChecked(menu.noncancellare, c.keep);
    setChecked(menu.disegnoVeloce, c.fast);
    menu.axisNumbers->setChecked(c.axisNumbers);
    menu.traccia->setChecked(c.trace);
    menu.disegnoAutomatico->setChecked(c.autoDraw);
    parts_.area.setRangeTexts(s.area);

    plot::PlotModel& model = parts_.draw.model();
    model.clearCurves();
    for (const plot::Curve& curve : s.curves)
        model.enter(curve);
    // Typing goes on from the newest curve, as after its draw.
    if (!s.curves.empty())
        parts_.expression.setText(QString::fromStdString(s.curves.back().expression));
    const session::SessionRanges ranges = session::rangesOf(s);
    model.setHome(ranges.home);
    // The curves are drawn once, in the session's own look.
    parts_.appearance.set(s.appearance);
    parts_.draw.redraw(ranges.view);
    if (parts_.redrawn)
        parts_.redrawn();
}

bool SessionActions::open(const QString& path) {
    if (parts_.draw.busy().busy())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(QStringLiteral("Impossibile aprire la sessione: il file %1 non si può leggere.")
                      .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    // One byte past the bound is enough to refuse it, however large it is.
    const QByteArray bytes = file.read(static_cast<qint64>(session::kMaxFileBytes) + 1);
    const session::SessionReading reading =
        session::readSession(std::string_view(bytes.constData(), bytes.size()));
    if (!reading.session) {
        showError(QString::fromUtf8(kInvalidPrefix) + QString::fromStdString(reading.reason) +
                  QStringLiteral("."));
        return false;
    }
    apply(*reading.session);
    return true;
}

void SessionActions::openChosen() {
    if (parts_.draw.busy().busy())
        return;
    const QString path = askOpenPath();
    if (path.isEmpty())
        return;
    lastFolder_ = QFileInfo(path).absolutePath();
    open(path);
}

void SessionActions::saveChosen() {
    if (parts_.draw.busy().busy())
        return;
    QString path = askSavePath();
    if (path.isEmpty())
        return;
    lastFolder_ = QFileInfo(path).absolutePath();
    if (!path.endsWith(kSuffix, Qt::CaseInsensitive))
        path += kSuffix;
    const std::string bytes = session::writeSession(capture());
    if (const int error =
            platform::writeFileAtomically(QFile::encodeName(path).toStdString(), bytes))
        showError(saveFailureMessage(path, error, kSaveFailurePrefix));
}

QString SessionActions::askWithDialog(bool save) {
    return askForFile(&window_,
                      {save ? QStringLiteral("Salva sessione") : QStringLiteral("Apri sessione"),
                       QStandardPaths::DocumentsLocation,
                       save,
                       QStringLiteral("lezione.curvalia"),
                       {QStringLiteral("Sessione di Curvalia Light (*.curvalia)")},
                       {QStringLiteral("curvalia")}},
                      lastFolder_);
}

} // namespace curvalia::ui
