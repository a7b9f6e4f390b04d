#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(CURVALIA_TITLE));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(CURVALIA_VERSION_MAJOR)
                                            .arg(CURVALIA_VERSION_MINOR)
                                            .arg(CURVALIA_VERSION_PATCH));
    curvalia::ui::MainWindow window;
    window.show();
    return app.exec();
}
