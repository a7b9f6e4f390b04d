#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral(CURVALIA_TITLE));
    label.show();
    return app.exec();
}
