#include "ui/HelpWindow.h"

#include "ui/HelpLauncher.h"
#include "ui/WindowPlacement.h"

#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace curvalia::ui {

namespace {

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
            placeBeside(*window, *parent);
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
    QFile html(QString::fromLatin1(kResource));
    if (html.open(QIODevice::ReadOnly))
        browser_->setHtml(QString::fromUtf8(html.readAll()));
    setWindowTitle(browser_->documentTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 600);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes it, as it closes the About box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QDialog::keyPressEvent(event);
}

void showHelp(platform::ShellServices& services, QWidget* parent) {
    if (!HelpLauncher(services.opener, services.fileSystem).open())
        HelpWindow::showSingle(parent);
}

} // namespace curvalia::ui
