// What a screen reader hears from the main window, through a reader that
// keeps every text spoken: once per text, after bursts have paused, and
// never changing what the window shows.
#include "calc/ValueWindow.h"
#include "support/qt_main_input_support.h"
#include "ui/host/Narrator.h"
#include "ui/windows/StudySummary.h"

#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;
using namespace std::chrono_literals;

struct ListeningReader : platform::ScreenReader {
    bool listens = false;
    QStringList spoken;
    bool listening() const override { return listens; }
    void speak(const QString& text) override { spoken << text; }
};

// Every pause is a twentieth of the program's, so that a test waits 50 ms
// where a user would wait a second.
constexpr double kPauseScale = 0.05;
constexpr int kPastEveryPause = 80;

struct SpokenTest : ClosesSingleWindows {
    SpokenTest() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        window.show();
        window.findChild<Narrator*>("narrator")->setPauseScale(kPauseScale);
    }
    ~SpokenTest() override { QLocale::setDefault(QLocale::c()); }

    template <class T = QWidget> T* child(const char* name) {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* fx() { return child<QLineEdit>("MyFx"); }
    QWidget* graph() { return child("Graph"); }
    QString status() { return child<QLabel>("StatusBar")->text(); }
    void draw(const char* expression) {
        fx()->setText(QString::fromUtf8(expression));
        click(child("penna"));
    }
    // What was spoken from now on.
    QStringList heardAfter(const std::function<void()>& act) {
        const qsizetype before = reader->spoken.size();
        act();
        QEventLoop loop;
        QTimer::singleShot(kPastEveryPause, &loop, &QEventLoop::quit);
        loop.exec();
        return reader->spoken.mid(before);
    }

    ListeningReader* reader = new ListeningReader; // the window owns it
    MainWindow window{std::unique_ptr<platform::ScreenReader>(reader), nullptr};
};

TEST_F(SpokenTest, ADrawEndsAloudWithTheStudyOnlyWhileSomeoneListens) {
    const QString sinSummary = QStringLiteral(
        "sin(x) da -10 a 10: 7 zeri, 3 massimi, 3 minimi, 7 flessi. F7 per lo studio completo.");
    struct Case {
        const char* expression;
        bool listens;
        QStringList heard;
        QString shown; // the status line's text after the draw
    };
    const QString sen = QStringLiteral("Operatore non riconosciuto... sen (usare sin)");
    const Case cases[] = {
        {"sin(x)",
         false,
         {"Analisi espressione in corso...", "Elaborazione in corso...", "Disegno terminato"},
         {}},
        {"sin(x)",
         true,
         {"Analisi espressione in corso...", "Elaborazione in corso...", "Disegno terminato",
          sinSummary},
         {}},
        // The checker's message is the status text; no study of a refused text.
        {"sen(x)", true, {"Analisi espressione in corso...", sen, "Disegno terminato"}, sen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        reader->listens = c.listens;
        EXPECT_EQ(heardAfter([&] { draw(c.expression); }), c.heard);
        // The status line shows what it showed without a reader.
        EXPECT_EQ(status(), c.shown);
    }
}

TEST_F(SpokenTest, SummaryCountsEachKindInWords) {
    using analysis::PointKind;
    const auto study = [](std::initializer_list<PointKind> kinds) {
        analysis::Study s{"x^3", {}, {}, {}};
        for (const PointKind kind : kinds)
            s.points.push_back({kind, 0, 0, {}});
        return s;
    };
    const QString tail = QStringLiteral(". F7 per lo studio completo.");
    const std::pair<analysis::Study, QString> cases[] = {
        {study({}),
         "x^3 da -0,5 a 2,5: nessuno zero, nessun massimo, nessun minimo, nessun flesso"},
        {study({PointKind::Zero, PointKind::Maximum, PointKind::Minimum, PointKind::Inflection}),
         "x^3 da -0,5 a 2,5: 1 zero, 1 massimo, 1 minimo, 1 flesso"},
        // A double zero is a zero; the y intercept and asymptotes are not counted.
        {study({PointKind::Zero, PointKind::DoubleZero, PointKind::YIntercept,
                PointKind::VerticalAsymptote, PointKind::Inflection, PointKind::Inflection}),
         "x^3 da -0,5 a 2,5: 2 zeri, nessun massimo, nessun minimo, 2 flessi"},
    };
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (const auto& [s, expected] : cases)
        EXPECT_EQ(studySummary(s, -0.5, 2.5, italian), expected + tail);
    analysis::Study refused = study({});
    refused.refusal = "Campi errati";
    EXPECT_EQ(studySummary(refused, -0.5, 2.5, italian), QString());
}

TEST_F(SpokenTest, CalcolaSaysItsThreeFieldsAsShownInOrder) {
    draw("x^2-4");
    click(child("Lente"));
    auto* value = window.valueWindow();
    const auto field = [value](const char* name) {
        return value->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    };
    struct Case {
        const char* x;
        QString heard;
    };
    const Case cases[] = {
        {"3", QStringLiteral("f(x) = 5; angolo 80,537 gradi; f'(x) = 6")},
        {"x", QStringLiteral("f(x) non definita; angolo non definito; f'(x) non definita")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        value->findChild<QLineEdit*>(QStringLiteral("VX"))->setText(QString::fromUtf8(c.x));
        const QStringList heard = heardAfter(
            [&] { value->findChild<QPushButton*>(QStringLiteral("Command1"))->click(); });
        ASSERT_FALSE(heard.isEmpty());
        EXPECT_EQ(heard.back(), c.heard);
        if (field("DPrima").isEmpty())
            continue;
        EXPECT_EQ(heard.back(), QStringLiteral("f(x) = %1; angolo %2 gradi; f'(x) = %3")
                                    .arg(field("VY"), field("Angolo"), field("DPrima")));
    }
    // A refused x says why before the fields.
    EXPECT_EQ(status(), QString::fromUtf8(calc::kXWithXMessage));
}

TEST_F(SpokenTest, EachTraceMoveSaysWhereItIsAndWhichWayTheCurveGoes) {
    window.findChild<QAction*>("traccia")->trigger();
    struct Case {
        const char* expression;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString heard;
    };
    const Case cases[] = {
        // On the grid: x with the step's decimals, from the middle of the plot.
        {"x^2", Qt::Key_Right, {}, "x = 0,01; f(x) = 0,0001; f'(x) = 0,02; cresce"},
        {"x^2", Qt::Key_Left, {}, "x = -0,01; f(x) = 0,0001; f'(x) = -0,01999; decresce"},
        {"3", Qt::Key_Right, {}, "x = 0,01; f(x) = 3; f'(x) = 0; stazionaria"},
        {"lgn(x)", Qt::Key_Left, {}, "x = -0,01; f(x) = non definita; f'(x) = non definita"},
        // A point of the study: its own digits and its kind.
        {"x^3-3*x", Qt::Key_Left, Qt::ControlModifier, "massimo relativo: x = -1; f(x) = 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        draw(c.expression);
        if (c.modifiers)
            window.findChild<QAction*>("studio")->trigger();
        EXPECT_EQ(heardAfter([&] { pressKey(graph(), c.key, "", c.modifiers); }),
                  QStringList{c.heard});
        window.activateWindow();
    }
}

TEST_F(SpokenTest, FiveNotchesInABurstSayTheViewOnce) {
    draw("x^2");
    const QPointF middle(224, 155.5);
    const QStringList heard = heardAfter([&] {
        for (int i = 0; i < 5; ++i) {
            QWheelEvent notch(middle, graph()->mapToGlobal(middle), {}, QPoint(0, 120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(graph(), &notch);
        }
    });
    EXPECT_EQ(heard, QStringList{child<QLabel>("Coordinate")->text()});
    EXPECT_TRUE(heard.value(0).startsWith(QStringLiteral("Vista: x da ")));
}

TEST_F(SpokenTest, LiveTypingSpeaksTheCheckerOncePausedAndOnlyWhenChanged) {
    draw("x^2");
    window.findChild<QAction*>("disegnoAutomatico")->trigger();
    const QString sen = QStringLiteral("Operatore non riconosciuto... sen (usare sin)");
    const auto type = [this](const char* keys) {
        for (const char* key = keys; *key; ++key)
            pressKey(fx(), 0, std::string(1, *key).c_str());
    };
    const auto erase = [this](int n) {
        for (int i = 0; i < n; ++i)
            pressKey(fx(), Qt::Key_Backspace);
    };
    struct Step {
        std::function<void()> typing;
        QStringList heard;
    };
    fx()->clear();
    const Step steps[] = {
        {[&] { type("sen(x)"); }, {sen}},
        // Another refusal that comes and goes within the burst changes nothing.
        {[&] {
             type("+");
             erase(1);
         },
         {}},
        {[&] {
             erase(6);
             type("sin(x)");
         },
         {}}, // good again: nothing to say
        {[&] {
             erase(6);
             type("sen(x)");
         },
         {sen}}, // the same slip after a good text is news
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(heardAfter(steps[i].typing), steps[i].heard);
    }
    EXPECT_EQ(status(), sen);
}

TEST_F(SpokenTest, TheSameTextTwiceInARowIsSpokenOnce) {
    Narrator narrator(*reader, nullptr);
    for (const char* text : {"Campi errati", "Campi errati", "", "Campi errati", "Stop", "Stop"})
        narrator.say(QString::fromUtf8(text));
    EXPECT_EQ(reader->spoken, (QStringList{"Campi errati", "Campi errati", "Stop"}));
}

TEST_F(SpokenTest, ASwitchSaysItsNewState) {
    struct Case {
        const char* entry;
        QString heard;
    };
    const Case cases[] = {
        {"GrigliaM", "Stampa Griglia attivato"},
        {"GrigliaM", "Stampa Griglia disattivato"},
        {"numeriAssi", "Numeri sugli assi attivato"},
        // The entry presses the speed button, whose new name is heard once.
        {"disegnoVeloce", "Speed Disattivato"},
        {"disegnoVeloce", "Speed Attivato"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(heardAfter([&] { window.findChild<QAction*>(c.entry)->trigger(); }),
                  QStringList{c.heard});
    }
}

} // namespace
} // namespace curvalia::ui
