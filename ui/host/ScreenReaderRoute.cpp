#include "ui/host/ScreenReaderRoute.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace curvalia::ui {

namespace {

// Why this way. Qt 6.4's bridge to AT-SPI drops QAccessible::Alert events,
// and Orca ignores a name change on a label, or on anything that is not the
// focus: a text written on the status line is never heard. What Orca does
// present is a notification that becomes showing: it speaks its name at
// once, wherever the focus is, and leaves out the word "notification" when
// the notification lies in a status bar. So each text becomes a
// notification of its own under a status bar of our own. Both exist for
// the accessibility bridge alone, on plain objects: nothing is drawn,
// nothing takes the focus, and the window's list of children stays as the
// widgets make it (their parent is the window, which does not list them).

// Texts still readable after they were spoken: the screen reader asks for a
// notification's name a moment after the event, so each text keeps its
// object a while, and a new text never renames one the reader is about to
// read.
constexpr qsizetype kKeptTexts = 16;

// A leaf the bridge can show: a role, a name, and the object whose
// interface is its parent. Owned by Qt's accessibility cache from its
// registration on, which deletes it when its object goes.
class SpokenObject final : public QAccessibleInterface {
  public:
    SpokenObject(QObject& object, QAccessible::Role role, QString name, QObject& parent)
        : object_(&object), parent_(&parent), role_(role), name_(std::move(name)) {}

    bool isValid() const override { return !object_.isNull() && !parent_.isNull(); }
    QObject* object() const override { return object_; }
    QWindow* window() const override {
        QAccessibleInterface* up = parent();
        return up ? up->window() : nullptr;
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return parent_ ? QAccessible::queryAccessibleInterface(parent_) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? name_ : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override { return {}; }

  private:
    QPointer<QObject> object_;
    QPointer<QObject> parent_;
    QAccessible::Role role_;
    QString name_;
};

class NotificationRoute final : public platform::ScreenReader {
  public:
    // The bar is the window's child, so it goes with the window if the
    // window goes first.
    explicit NotificationRoute(QWidget& window) : bar_(new QObject(&window)) {
        bar_->setObjectName(QStringLiteral("screenReaderBar"));
        QAccessible::registerAccessibleInterface(
            new SpokenObject(*bar_, QAccessible::StatusBar, QString(), window));
    }
    ~NotificationRoute() override { delete bar_.data(); }

    bool listening() const override { return QAccessible::isActive(); }

    void speak(const QString& text) override {
        if (!bar_ || text.isEmpty())
            return;
        auto* note = new QObject(bar_);
        auto* spoken = new SpokenObject(*note, QAccessible::Notification, text, *bar_);
        QAccessible::registerAccessibleInterface(spoken);
        QAccessibleEvent shown(spoken, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
        // Children are kept in the order they were made: the oldest goes.
        if (bar_->children().size() > kKeptTexts)
            delete bar_->children().constFirst();
    }

  private:
    QPointer<QObject> bar_;
};

} // namespace

std::unique_ptr<platform::ScreenReader> makeScreenReader(QWidget& window) {
    return std::make_unique<NotificationRoute>(window);
}

} // namespace curvalia::ui
