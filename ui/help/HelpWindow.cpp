#include "ui/help/HelpWindow.h"

#include "ui/help/HelpLauncher.h"
#include "ui/windows/WindowPlacement.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace curvalia::ui {

namespace {

constexpr QSize kSize(640, 600);
constexpr QSize kMinimumSize(420, 320);
constexpr QSize kRoomForFrame(16, 40); // the window manager's title bar and borders

QPointer<HelpWindow>& openWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

HelpWindow* HelpWindow::showSingle(QWidget* parent) {
    QPointer<HelpWindow>& window = openWindow();
    if (!window) {
        window = new HelpWindow(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (parent)
            placeBeside(*window, *parent, Side::Left); // "Area" and "Valore" open on the right
        else
            centreOnPointerScreen(*window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

HelpWindow* HelpWindow::current() {
    return openWindow();
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/images/app-icon.svg")));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setOpenExternalLinks(true);
    // A caret in the read-only text: the arrows, Page Up/Down and Ctrl+End
    // move it line by line, and a screen reader reads the line it stands on.
    browser_->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    QFile html(QString::fromLatin1(kResource));
    if (html.open(QIODevice::ReadOnly))
        browser_->setHtml(QString::fromUtf8(html.readAll()));
    setWindowTitle(browser_->documentTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    // Its own size, smaller only on a screen that cannot hold it, and never
    // too small for the text to be read.
    setMinimumSize(kMinimumSize);
    QSize size = kSize;
    if (const QScreen* shown = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(shown->availableGeometry().size() - kRoomForFrame);
    resize(size.expandedTo(kMinimumSize));
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes it, as it closes the About box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QDialog::keyPressEvent(event);
}

void showHelp(platform::ShellServices& services, QWidget* parent) {
    // The answer may come seconds later, when the main window may be gone.
    const QPointer<QWidget> owner(parent);
    HelpLauncher(services.opener, services.fileSystem).open([owner, parent](bool opened) {
        if (!opened && owner == parent)
            HelpWindow::showSingle(owner);
    });
}

} // namespace curvalia::ui
