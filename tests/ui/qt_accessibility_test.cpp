// What a screen reader is told about the windows, through Qt's accessibility
// interfaces: the tool buttons as named push buttons that can be pressed,
// one object per button; the fields named after their labels; the windows
// read as windows with their captions.
#include "calc/ValueWindow.h"
#include "platform/platform_fakes_support.h"
#include "qt_main_input_support.h"
#include "ui/AreaDialog.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QLabel>

#include <vector>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject* object) {
    return accessible(object)->text(QAccessible::Name);
}

// Every object of the tree below iface with the given role.
void collect(QAccessibleInterface* iface, QAccessible::Role role,
             std::vector<QAccessibleInterface*>& found) {
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (!child)
            continue;
        if (child->role() == role)
            found.push_back(child);
        collect(child, role, found);
    }
}

// The press action clicks a button a moment later, as a real press would.
bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

struct AccessibilityTest : MainWindowRig {
    ~AccessibilityTest() override {
        if (window.valueWindow())
            window.valueWindow()->close();
        window.areaDialog()->hide();
    }
};

TEST_F(AccessibilityTest, ToolButtonsAreNamedPushButtonsWhosePressRunsTheirCommand) {
    fx()->setText("x");
    const struct {
        const char* button;
        const char* name;
        std::function<bool(AccessibilityTest&)> acted;
    } buttons[] = {
        {"penna", "Disegna la funzione",
         [](AccessibilityTest& t) { return t.pixelsOfColour(qRgb(0, 255, 0)) > 300; }},
        {"Stopim", "STOP!",
         [](AccessibilityTest& t) { return t.child<QLabel>("StatusBar")->text().isEmpty(); }},
        {"Impostazioni", "Imposta gli assi",
         [](AccessibilityTest& t) { return t.window.areaDialog()->isVisible(); }},
        {"Lente", "Controlla valore",
         [](AccessibilityTest& t) { return t.window.valueWindow() != nullptr; }},
        {"speedSwitch", "Speed Attivato",
         [](AccessibilityTest& t) { return t.window.switches().YieldEachSample != 0; }},
    };
    std::vector<QAccessibleInterface*> pushButtons;
    collect(accessible(&window), QAccessible::Button, pushButtons);
    // One object per button: no second one for a picture not shown.
    ASSERT_EQ(pushButtons.size(), std::size(buttons));
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        const auto& [button, name, acted] = buttons[i];
        SCOPED_TRACE(button);
        QAccessibleInterface* iface = accessible(picture(button));
        EXPECT_EQ(pushButtons[i], iface);
        EXPECT_EQ(iface->role(), QAccessible::Button);
        EXPECT_EQ(iface->text(QAccessible::Name), name);
        // Hovering shows the other picture but does not rename the button.
        moveOver(picture(button));
        EXPECT_EQ(iface->text(QAccessible::Name), name);
        ASSERT_NE(iface->actionInterface(), nullptr);
        EXPECT_TRUE(iface->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        child<QLabel>("StatusBar")->setText("Campi errati");
        EXPECT_FALSE(acted(*this));
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_TRUE(waitFor([&] { return acted(*this); }));
    }
    // The speed switch is named after the picture it shows.
    EXPECT_EQ(nameOf(picture("speedSwitch")), "Speed Disattivato");
}

TEST_F(AccessibilityTest, FieldsAreNamedAfterTheirLabelsAndWindowsReadAsWindows) {
    pressButton("Lente");
    ASSERT_NE(window.valueWindow(), nullptr);
    QWidget* area = window.areaDialog();
    QWidget* value = window.valueWindow();
    const std::tuple<QWidget*, const char*, const char*> fields[] = {
        {&window, "MyFx", "Espressione della funzione f(x):"},
        {area, "XminTXT", "X min.:"},
        {area, "XmaxTXT", "X max.:"},
        {area, "YminTXT", "Y min.:"},
        {area, "YmaxTXT", "Y max.:"},
        {area, "PrecisioneTXT", "Step:"},
        {value, "VX", "x:"},
        {value, "VY", "f(x):"},
        {value, "Angolo", "Angolo:"},
        {value, "DPrima", "f'(x):"}};
    for (const auto& [owner, field, name] : fields) {
        QLineEdit* edit = owner->findChild<QLineEdit*>(field);
        ASSERT_NE(edit, nullptr) << field;
        EXPECT_EQ(accessible(edit)->role(), QAccessible::EditableText) << field;
        EXPECT_EQ(nameOf(edit), name) << field;
    }

    // The status line reads as its text.
    child<QLabel>("StatusBar")->setText("Campi errati");
    EXPECT_EQ(nameOf(child<QLabel>("StatusBar")), "Campi errati");

    platform::testing::FakeShell<> shell;
    AboutBox* about = AboutBox::showSingle(&window, shell.services);
    HelpWindow* help = HelpWindow::showSingle(&window);
    const std::tuple<QWidget*, QAccessible::Role, const char*> windows[] = {
        {&window, QAccessible::Window, "Curvalia Light v1.1"},
        {area, QAccessible::Dialog, "Area"},
        {value, QAccessible::Dialog, "Valore"},
        {about, QAccessible::Dialog, "Informazioni su Curvalia Light"},
        {help, QAccessible::Dialog, nullptr}};
    for (const auto& [shown, role, caption] : windows) {
        SCOPED_TRACE(shown->objectName().toStdString());
        EXPECT_EQ(accessible(shown)->role(), role);
        EXPECT_EQ(nameOf(shown), caption ? QString::fromUtf8(caption) : shown->windowTitle());
        EXPECT_FALSE(nameOf(shown).isEmpty());
    }
}

} // namespace
} // namespace curvalia::ui
