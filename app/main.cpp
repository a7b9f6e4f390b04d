#include "app/CommandLine.h"
#include "app/StudyCommand.h"
#include "platform/DesktopShellServices.h"
#include "ui/help/HelpWindow.h"
#include "ui/help/QtMessageBox.h"
#include "ui/main/Accessibility.h"
#include "ui/main/MainWindow.h"
#include "ui/main/SessionActions.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/SplashWindow.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

using namespace curvalia;

int main(int argc, char** argv) {
    // Read before the toolkit exists: the study needs no display.
    const app::CommandLine line =
        app::readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.mode != app::CommandLine::Mode::Windows)
        return app::runStudy(line, std::cout, std::cerr);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(CURVALIA_TITLE));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(CURVALIA_VERSION_MAJOR)
                                            .arg(CURVALIA_VERSION_MINOR)
                                            .arg(CURVALIA_VERSION_PATCH));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/app-icon.svg")));
    // The program speaks Italian whatever the locale, and so should the
    // dialogs Qt builds for it (the save dialog's buttons and columns), when
    // Qt's own translations are installed.
    QTranslator qtItalian;
    if (qtItalian.load(QStringLiteral("qtbase_it"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    ui::installAccessibility();
    ui::QtMessageBox messageBox;
    platform::DesktopShellServices desktop(messageBox);
    platform::ShellServices& services = desktop.services();

    // The splash is the first window; a key or a click on it hands over to
    // the main window, which is created only then.
    std::unique_ptr<ui::MainWindow> window;
    ui::SplashWindow splash;
    QObject::connect(&splash, &ui::SplashWindow::dismissed, [&] {
        window = std::make_unique<ui::MainWindow>();
        QObject::connect(window.get(), &ui::MainWindow::creditsRequested, window.get(),
                         [&] { ui::AboutBox::showSingle(window.get(), services); });
        QObject::connect(window.get(), &ui::MainWindow::helpRequested, window.get(),
                         [&] { ui::showHelp(services, window.get()); });
        window->show();
        // Once the window is on the screen: a refusal's message box lies over it.
        if (!line.session.empty())
            QTimer::singleShot(0, window.get(), [&] {
                window->sessions()->open(QFile::decodeName(line.session.c_str()));
            });
    });
    splash.show();
    return app.exec();
}
