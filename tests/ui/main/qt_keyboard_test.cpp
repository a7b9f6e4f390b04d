// The main window without a mouse, and as a screen reader reads it: the Tab
// order, the tool buttons as named push buttons pressed by keys and by their
// press action, the menu shortcuts with and without a draw running, the focus
// after a draw, the speed entry, F10; the value window's keys; the fields
// named after their labels and the windows read as windows.
#include "calc/ValueWindow.h"
#include "platform/platform_fakes_support.h"
#include "support/qt_main_input_support.h"
#include "support/table_rows.h"
#include "ui/windows/AreaDialog.h"

#include <QAccessible>
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <string>
#include <vector>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Every object of the tree below iface with the given role, in tree order.
void collect(QAccessibleInterface* iface, QAccessible::Role role,
             std::vector<QAccessibleInterface*>& found) {
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface* child = iface->child(i)) {
            if (child->role() == role)
                found.push_back(child);
            collect(child, role, found);
        }
    }
}

bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

struct KeyboardTest : MainWindowRig {
    KeyboardTest() {
        activate();
        fx()->setText("x");
    }
    ~KeyboardTest() override {
        if (window.valueWindow())
            window.valueWindow()->close();
        window.areaDialog()->hide();
    }
    QString focused() {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // Typed into whatever has the focus, else into the window.
    void type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const char* text = "") {
        QWidget* w = QApplication::focusWidget();
        pressKey(w ? w : &window, key, text, modifiers);
    }
    QAction* action(const char* name) { return child<QAction>(name); }
    void setStatus(const char* text) { child<QLabel>("StatusBar")->setText(text); }
};

TEST_F(KeyboardTest, TabGoesDownTheButtonsToThePlotAndBackToTheExpression) {
    const char* forward[] = {"MyFx",  "penna",       "Stopim", "Impostazioni",
                             "Lente", "speedSwitch", "Graph",  "MyFx"};
    EXPECT_EQ(focused(), "MyFx"); // where the window opens
    for (std::size_t i = 1; i < std::size(forward); ++i) {
        type(Qt::Key_Tab);
        EXPECT_EQ(focused(), forward[i]) << "after " << forward[i - 1];
    }
    for (std::size_t i = std::size(forward) - 1; i > 0; --i) {
        type(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(focused(), forward[i - 1]) << "back from " << forward[i];
    }
}

// Space, Enter, keypad Enter, and a screen reader's press action (0 here),
// which clicks a moment later.
TEST_F(KeyboardTest, EachButtonIsOneNamedPushButtonPressedByKeysAndByItsPressAction) {
    const struct {
        const char* button;
        const char* name;
        std::function<bool(KeyboardTest&)> acted;
    } buttons[] = {
        {"penna", "Disegna la funzione",
         [](KeyboardTest& t) { return t.pixelsOfColour(qRgb(0, 255, 0)) > 300; }},
        {"Stopim", "STOP!", [](KeyboardTest& t) { return t.status().isEmpty(); }},
        {"Impostazioni", "Imposta gli assi",
         [](KeyboardTest& t) { return t.window.areaDialog()->isVisible(); }},
        {"Lente", "Controlla valore",
         [](KeyboardTest& t) {
             return t.window.valueWindow() && t.window.valueWindow()->isVisible();
         }},
        {"speedSwitch", "Speed Attivato",
         [](KeyboardTest& t) { return t.window.switches().YieldEachSample != 0; }},
    };
    // One object per button: none for the picture not shown.
    std::vector<QAccessibleInterface*> pushButtons;
    collect(accessible(&window), QAccessible::Button, pushButtons);
    ASSERT_EQ(pushButtons.size(), std::size(buttons));
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        const auto& [name, accessibleName, acted] = buttons[i];
        QAccessibleInterface* iface = accessible(picture(name));
        EXPECT_EQ(pushButtons[i], iface) << name;
        EXPECT_EQ(iface->text(QAccessible::Name), accessibleName);
        moveOver(picture(name)); // the other picture, the same name
        EXPECT_EQ(iface->text(QAccessible::Name), accessibleName);
        for (const int key : {int(Qt::Key_Space), int(Qt::Key_Return), int(Qt::Key_Enter), 0}) {
            SCOPED_TRACE(std::string(name) + " key " + std::to_string(key));
            child<QAction>("verde")->trigger(); // nothing drawn yet, in green
            graph()->Cls();
            setStatus("Campi errati");
            window.areaDialog()->hide();
            if (window.valueWindow())
                window.valueWindow()->hide();
            if (window.switches().YieldEachSample)
                picture("speedSwitch")->click();
            activate();
            picture(name)->setFocus(Qt::TabFocusReason);
            ASSERT_EQ(focused(), name);
            EXPECT_FALSE(acted(*this));
            if (key)
                type(key, Qt::NoModifier, key == Qt::Key_Space ? " " : "\r");
            else
                iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            EXPECT_TRUE(waitFor([&] { return acted(*this); }));
        }
    }
    // The speed switch is named after the picture it shows.
    EXPECT_EQ(accessible(picture("speedSwitch"))->text(QAccessible::Name), "Speed Disattivato");
}

TEST_F(KeyboardTest, ShortcutsRunTheButtonsCommandsAndFollowThemDuringADraw) {
    // Idle: stop is not offered, so Esc leaves a message in place.
    setStatus("Campi errati");
    type(Qt::Key_Escape);
    EXPECT_EQ(status(), "Campi errati");
    EXPECT_FALSE(action("stop")->isEnabled());
    type(Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(window.areaDialog()->isVisible());
    window.areaDialog()->hide();
    activate();
    type(Qt::Key_L, Qt::ControlModifier);
    ASSERT_NE(window.valueWindow(), nullptr);
    EXPECT_TRUE(window.valueWindow()->isVisible());
    window.valueWindow()->hide();
    activate();

    // During a draw that yields after every sample: the entries follow their
    // buttons, a second F5 is ignored, and Esc stops the draw.
    type(Qt::Key_F10);
    EXPECT_TRUE(window.menuBar()->actions().constFirst()->menu()->isVisible());
    window.menuBar()->actions().constFirst()->menu()->close();
    activate();
    action("disegnoVeloce")->trigger();
    child<QLineEdit>("MyFx")->setFocus();
    window.areaDialog()->findChild<QLineEdit*>("PrecisioneTXT")->setText("0.0001");
    duringDraw([&] {
        const std::pair<const char*, bool> enabled[] = {
            {"disegna", true}, {"stop", true}, {"impostazioniAssi", false}, {"valoreY", false}};
        for (const auto& [entry, on] : enabled)
            EXPECT_EQ(action(entry)->isEnabled(), on) << entry;
        type(Qt::Key_F5);
        EXPECT_TRUE(window.isDrawing());
        type(Qt::Key_Escape);
    });
    type(Qt::Key_F5);
    EXPECT_FALSE(window.isDrawing());
    EXPECT_EQ(greenRightOfCentre(), 0); // stopped early
    EXPECT_FALSE(action("stop")->isEnabled());
    EXPECT_TRUE(action("impostazioniAssi")->isEnabled());
    EXPECT_TRUE(action("valoreY")->isEnabled());
}

TEST_F(KeyboardTest, AfterADrawTheFocusIsWhereItWasWhenTheDrawStarted) {
    const struct {
        const char* focus;
        int key;
        const char* text;
    } starts[] = {{"MyFx", Qt::Key_Return, "\r"},
                  {"penna", Qt::Key_Space, " "},
                  {"Graph", Qt::Key_F5, ""},
                  {"speedSwitch", Qt::Key_F5, ""}};
    for (const auto& [focus, key, text] : starts) {
        SCOPED_TRACE(focus);
        child<QWidget>(focus)->setFocus(Qt::TabFocusReason);
        QString during;
        duringDraw([&] { during = focused(); });
        type(key, Qt::NoModifier, text);
        EXPECT_FALSE(during.isEmpty()); // the draw did run
        EXPECT_EQ(focused(), focus);
    }
}

TEST_F(KeyboardTest, SpeedEntryAndPicturesStayInStepAndHoveringLeavesTheFocus) {
    for (int round = 0; round < 4; ++round) {
        // The entry and the picture take turns.
        if (round % 2 == 0)
            action("disegnoVeloce")->trigger();
        else
            click(picture("speedSwitch"));
        const bool slow = round % 2 == 0;
        EXPECT_EQ(action("disegnoVeloce")->isChecked(), !slow) << round;
        EXPECT_EQ(picture("speedSwitch")->shownFace().name, slow ? "Image1" : "Image2");
        EXPECT_EQ(window.switches().YieldEachSample, slow ? -1 : 0);
    }
    QStringList options;
    for (const QAction* entry : child<QMenu>("optionx")->actions())
        options << entry->text();
    EXPECT_EQ(options, (QStringList{"Stampa Griglia", "&Non Cancellare", "Disegno &veloce",
                                    "N&umeri sugli assi", "&Traccia la curva",
                                    "Disegno &automatico", "Asp&etto..."}));

    for (const char* button : {"penna", "Stopim", "Impostazioni", "Lente"}) {
        moveOver(picture(button));
        EXPECT_TRUE(picture(button)->showsSecond()) << button;
        EXPECT_EQ(focused(), "MyFx") << button;
    }
    // The margin around a picture, where the focus frame goes, is the frame.
    moveOver(picture("Lente"), QPointF(1, 1));
    EXPECT_FALSE(picture("Lente")->showsSecond());
}

TEST_F(KeyboardTest, ValueWindowClosesWithEscAndEnterCalculatesOnce) {
    type(Qt::Key_L, Qt::ControlModifier);
    calc::ValueWindow* value = window.valueWindow();
    ASSERT_NE(value, nullptr);
    QApplication::setActiveWindow(value);
    auto* x = value->findChild<QLineEdit*>("VX");
    x->setFocus();
    x->setText("2");
    int runs = 0;
    QObject::connect(value->findChild<QPushButton*>("Command1"), &QPushButton::clicked,
                     [&runs] { ++runs; });
    for (const int key : {Qt::Key_Return, Qt::Key_Enter})
        pressKey(x, key, "\r");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(value->findChild<QLineEdit*>("VY")->text(), "2");
    // Esc in this window closes it and leaves the main window's stop alone.
    setStatus("Campi errati");
    pressKey(x, Qt::Key_Escape);
    EXPECT_FALSE(value->isVisible());
    EXPECT_EQ(status(), "Campi errati");
}

TEST_F(KeyboardTest, FieldsAreNamedAfterTheirLabelsAndWindowsReadAsWindows) {
    pressButton("Lente");
    ASSERT_NE(window.valueWindow(), nullptr);
    QWidget* area = window.areaDialog();
    QWidget* value = window.valueWindow();
    using F = std::tuple<QWidget*, const char*, const char*>;
    const auto fields = ::curvalia::testing::rows(
        F(&window, "MyFx", "Espressione della funzione f(x):"), F(area, "XminTXT", "X min.:"),
        F(area, "XmaxTXT", "X max.:"), F(area, "YminTXT", "Y min.:"), F(area, "YmaxTXT", "Y max.:"),
        F(area, "PrecisioneTXT", "Step:"), F(value, "VX", "x:"), F(value, "VY", "f(x):"),
        F(value, "Angolo", "Angolo:"), F(value, "DPrima", "f'(x):"));
    for (const auto& [owner, field, name] : fields) {
        QLineEdit* edit = owner->findChild<QLineEdit*>(field);
        ASSERT_NE(edit, nullptr) << field;
        EXPECT_EQ(accessible(edit)->role(), QAccessible::EditableText) << field;
        EXPECT_EQ(accessible(edit)->text(QAccessible::Name), name) << field;
    }

    // The status line reads as its text.
    child<QLabel>("StatusBar")->setText("Campi errati");
    EXPECT_EQ(accessible(child<QLabel>("StatusBar"))->text(QAccessible::Name), "Campi errati");

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
        const QString name = accessible(shown)->text(QAccessible::Name);
        EXPECT_EQ(name, caption ? QString::fromUtf8(caption) : shown->windowTitle());
        EXPECT_FALSE(name.isEmpty());
    }
}

} // namespace
} // namespace curvalia::ui
