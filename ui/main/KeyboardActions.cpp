#include "ui/main/KeyboardActions.h"

#include "ui/main/MainMenu.h"
#include "ui/main/PictureButton.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>

#include <iterator>
#include <utility>

namespace curvalia::ui {

KeyboardActions::KeyboardActions(QMainWindow& window, MainMenu& menu, Controls controls,
                                 plot::DrawBusy& busy)
    : QObject(&window), window_(window), menu_(menu), controls_(controls) {
    setObjectName(QStringLiteral("keyboardActions"));

    // Down the column of buttons beside the plot, then the plot, then back
    // to the expression, which has the focus when the window opens.
    QWidget* const order[] = {&controls_.expression, &controls_.draw,  &controls_.stop,
                              &controls_.settings,   &controls_.value, &controls_.speed,
                              &controls_.plot};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    controls_.expression.setFocus();
    controls_.plot.setAccessibleName(QStringLiteral("Grafico"));

    // Each entry presses its button, so both run the one handler and a
    // disabled button cannot be pressed through its entry either.
    const std::pair<QAction*, PictureButton*> entries[] = {
        {menu_.disegna, &controls_.draw},
        {menu_.stop, &controls_.stop},
        {menu_.impostazioniAssi, &controls_.settings},
        {menu_.valoreY, &controls_.value},
        {menu_.disegnoVeloce, &controls_.speed}};
    for (const auto& [entry, button] : entries)
        connect(entry, &QAction::triggered, button, &QAbstractButton::click);
    // The entry's mark follows the pictures whichever of the two changed them.
    // The entry itself, not the menu holder: the holder goes before the
    // window's children do, the entry (this connection's context) with them.
    QAction* const fast = menu_.disegnoVeloce;
    connect(&controls_.speed, &PictureButton::faceChanged, fast,
            [fast](bool slow) { fast->setChecked(!slow); });

    // Idle, Esc must reach the window's controls and leave the status line
    // alone; the stop button itself keeps working at any time.
    menu_.stop->setEnabled(busy.busy());
    busy.listen([stop = QPointer<QAction>(menu_.stop)](bool running) {
        if (stop)
            stop->setEnabled(running);
    });

    // Qt binds no key to the menu bar on this desktop; F10 is the usual one.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window_);
    f10->setObjectName(QStringLiteral("menuBarKey"));
    connect(f10, &QShortcut::activated, this, [this] {
        const QList<QAction*> menus = window_.menuBar()->actions();
        if (!menus.isEmpty())
            window_.menuBar()->setActiveAction(menus.constFirst());
    });
}

void KeyboardActions::rememberFocus() {
    focusBeforeDraw_ = window_.focusWidget();
}

void KeyboardActions::followDrawInputs(bool enabled) {
    menu_.impostazioniAssi->setEnabled(controls_.settings.isEnabled());
    menu_.valoreY->setEnabled(controls_.value.isEnabled());
    if (!enabled)
        return;
    // Disabling the expression box moved the focus on, onto the draw button,
    // where a Space meant for something else would start the next draw.
    if (QWidget* previous = focusBeforeDraw_;
        previous && previous->isEnabled() && previous->isVisible())
        previous->setFocus(Qt::OtherFocusReason);
    focusBeforeDraw_.clear();
}

} // namespace curvalia::ui
