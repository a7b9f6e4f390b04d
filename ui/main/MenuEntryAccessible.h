// What a screen reader reads of a menu entry that can be checked. Qt 6.4's
// bridge drops the "checkable" state, so Orca says "checked" on a checked
// entry and nothing at all on an unchecked one: the user cannot tell that it
// can be checked. An unchecked entry says so in its name ("Stampa Griglia,
// non spuntata"). It stays a menu item: the menu finds only menu items among
// its children, and Orca drops an entry its menu does not find. Entries
// that cannot be checked keep Qt's own.
#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>

class QAction;
class QWidget;

namespace curvalia::ui {

class MenuEntryAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    static constexpr const char* kUnchecked = ", non spuntata";

    MenuEntryAccessible(QAction* entry, QWidget* menu);

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

  private:
    QPointer<QAction> entry_;
    QPointer<QWidget> menu_;
};

} // namespace curvalia::ui
