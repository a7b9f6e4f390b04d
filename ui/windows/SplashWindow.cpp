#include "ui/windows/SplashWindow.h"

#include "layout/Labels.h"
#include "layout/Twips.h"
#include "ui/windows/SvgPicture.h"
#include "ui/windows/WindowPlacement.h"

#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace curvalia::ui {

using layout::addLabel;
using layout::arialFont;

namespace {

SvgPicture* addPicture(QWidget* parent, const char* name, const QString& file,
                       const QRect& geometry) {
    auto* picture = new SvgPicture(QStringLiteral(":/images/") + file, parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(geometry);
    return picture;
}

} // namespace

QString SplashWindow::versionText() {
    return QStringLiteral("Versione %1.%2").arg(CURVALIA_VERSION_MAJOR).arg(CURVALIA_VERSION_MINOR);
}

SplashWindow::SplashWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral(CURVALIA_TITLE));
    setWindowIcon(QIcon(QStringLiteral(":/images/app-icon.svg")));
    setFixedSize(480, 240);
    // No title bar or frame, above the other windows, in the middle of the
    // screen. Still a dialog rather than a splash-screen window, which window
    // managers may refuse the keyboard focus that dismisses it.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);

    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame_->setGeometry(8, 6, 464, 228);
    frame_->installEventFilter(this);

    addPicture(frame_, "Image1", QStringLiteral("splash-plot.svg"), QRect(14, 27, 232, 174));
    addPicture(frame_, "Image2", QStringLiteral("splash-emblem.svg"), QRect(374, 98, 72, 72));

    addLabel(frame_, "lblProductName", QStringLiteral("Curvalia"), arialFont(15.75, true),
             QRect(262, 22, 190, 34));
    addLabel(frame_, "Label1", QStringLiteral("Light"), arialFont(12, true),
             QRect(262, 56, 190, 26));
    addLabel(frame_, "lblVersion", versionText(), arialFont(9.75, true), QRect(262, 112, 108, 20));
    addLabel(frame_, "lblPlatform", QStringLiteral("Win 95/98"), arialFont(9.75, true),
             QRect(262, 134, 108, 20));
    addLabel(frame_, "lblDate", QStringLiteral("01-02-2000"), arialFont(8.25, false),
             QRect(262, 192, 186, 18))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    centreOnPointerScreen(*this);
}

void SplashWindow::handOver() {
    if (handedOver_)
        return;
    handedOver_ = true;
    emit dismissed();
    close();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    // Only a key that produces a character counts: Enter, Esc, space and
    // letters do, arrows, Shift or function keys alone do not.
    if (event->text().isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
    handOver();
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != frame_)
        return QDialog::eventFilter(watched, event);
    // A click counts only on the panel itself: presses on the labels and
    // pictures inside it reach the panel too (they ignore the mouse), and
    // are told apart by the child under the pointer.
    const auto onBarePanel = [this](const QMouseEvent* mouse) {
        const QPoint pos = mouse->position().toPoint();
        return frame_->rect().contains(pos) && frame_->childAt(pos) == nullptr;
    };
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        framePressed_ = mouse->button() == Qt::LeftButton && onBarePanel(mouse);
        return framePressed_;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !framePressed_)
            return false;
        framePressed_ = false;
        if (onBarePanel(mouse))
            handOver();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace curvalia::ui
