#include "ui/main/MenuEntryAccessible.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace curvalia::ui {

MenuEntryAccessible::MenuEntryAccessible(QAction* entry, QWidget* menu)
    : entry_(entry), menu_(menu) {}

QAccessibleInterface* MenuEntryAccessible::create(const QString& className, QObject* object) {
    auto* entry = qobject_cast<QAction*>(object);
    if (className != QLatin1String("QAction") || !entry || !entry->isCheckable())
        return nullptr;
    for (QObject* shownIn : entry->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(shownIn))
            return new MenuEntryAccessible(entry, menu);
    return nullptr;
}

bool MenuEntryAccessible::isValid() const {
    return entry_ && menu_;
}

QObject* MenuEntryAccessible::object() const {
    return entry_;
}

QWindow* MenuEntryAccessible::window() const {
    return menu_ ? menu_->windowHandle() : nullptr;
}

QAccessibleInterface* MenuEntryAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(menu_.data());
}

QString MenuEntryAccessible::text(QAccessible::Text t) const {
    if (!entry_)
        return QString();
    switch (t) {
    case QAccessible::Name:
        return entry_->text().remove(QLatin1Char('&')) +
               (entry_->isChecked() ? QString() : QString::fromUtf8(kUnchecked));
    case QAccessible::Accelerator:
        return entry_->shortcut().toString(QKeySequence::NativeText);
    case QAccessible::Description:
        return entry_->statusTip();
    default:
        return QString();
    }
}

QRect MenuEntryAccessible::rect() const {
    auto* menu = qobject_cast<QMenu*>(menu_.data());
    if (!menu || !entry_)
        return QRect();
    const QRect local = menu->actionGeometry(entry_);
    return QRect(menu->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State MenuEntryAccessible::state() const {
    QAccessible::State state;
    auto* menu = qobject_cast<QMenu*>(menu_.data());
    if (!menu || !entry_)
        return state;
    state.invisible = !menu->isVisible() || !entry_->isVisible();
    state.disabled = !entry_->isEnabled();
    state.focusable = true;
    state.focused = menu->isVisible() && menu->activeAction() == entry_;
    state.checkable = true;
    state.checked = entry_->isChecked();
    return state;
}

void* MenuEntryAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList MenuEntryAccessible::actionNames() const {
    return {toggleAction()};
}

void MenuEntryAccessible::doAction(const QString& actionName) {
    if (actionName == toggleAction() && entry_ && entry_->isEnabled())
        entry_->trigger();
}

QStringList MenuEntryAccessible::keyBindingsForAction(const QString&) const {
    return {};
}

} // namespace curvalia::ui
