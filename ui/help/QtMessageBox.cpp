#include "ui/help/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace curvalia::ui {

void QtMessageBox::show(const std::string& text) {
    // Owned by the active window, so it opens over the window the user
    // clicked in (the About box) rather than anywhere on the screen.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral(CURVALIA_TITLE),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace curvalia::ui
