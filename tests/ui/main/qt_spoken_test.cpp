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

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct KeptReader : platform::ScreenReader {
    bool listens = false;
    QStringList spoken;
    bool listening() const override { return listens; }
    void speak(const QString& text) override { spoken << text; }
};

const QString kSen = QStringLiteral("Operatore non riconosciuto... sen (usare sin)");

struct SpokenTest : ClosesSingleWindows {
    SpokenTest() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        window.show();
        // A twentieth of every pause: 50 ms where a user waits a second.
        window.findChild<Narrator*>("narrator")->setPauseScale(0.05);
    }
    ~SpokenTest() override { QLocale::setDefault(QLocale::c()); }

    QWidget* child(const char* name) { return window.findChild<QWidget*>(name); }
    QLineEdit* fx() { return window.findChild<QLineEdit*>("MyFx"); }
    QString label(const char* name) { return window.findChild<QLabel*>(name)->text(); }
    void draw(const char* expression) {
        fx()->setText(QString::fromUtf8(expression));
        click(child("penna"));
    }
    void type(const char* keys) {
        for (const char* key = keys; *key; ++key)
            pressKey(fx(), *key == '\b' ? Qt::Key_Backspace : 0, std::string(1, *key).c_str());
    }
    // What was spoken while act ran and every pause after it passed.
    QStringList heardAfter(const std::function<void()>& act) {
        const qsizetype before = reader->spoken.size();
        act();
        QEventLoop loop;
        QTimer::singleShot(80, &loop, &QEventLoop::quit);
        loop.exec();
        return reader->spoken.mid(before);
    }

    KeptReader* reader = new KeptReader; // the window owns it
    MainWindow window{std::unique_ptr<platform::ScreenReader>(reader), nullptr};
};

TEST_F(SpokenTest, ADrawEndsAloudWithTheStudyOnlyWhileSomeoneListens) {
    const QString go = QStringLiteral("Analisi espressione in corso..."),
                  sweep = QStringLiteral("Elaborazione in corso..."),
                  end = QStringLiteral("Disegno terminato"),
                  sin = QStringLiteral("sin(x) da -10 a 10: 7 zeri, 3 massimi, 3 minimi, 7 "
                                       "flessi. F7 per lo studio completo.");
    const std::tuple<const char*, bool, QStringList, QString> cases[] = {
        {"sin(x)", false, {go, sweep, end}, ""},
        {"sin(x)", true, {go, sweep, end, sin}, ""},
        {"sen(x)", true, {go, kSen, end}, kSen}, // a refused text: no study
    };
    for (const auto& [expression, listens, heard, shown] : cases) {
        SCOPED_TRACE(expression);
        reader->listens = listens;
        EXPECT_EQ(heardAfter([&] { draw(expression); }), heard);
        EXPECT_EQ(label("StatusBar"), shown); // as it shows without a reader
    }
}

TEST_F(SpokenTest, TheSummaryCountsEachKindInWords) {
    using enum analysis::PointKind;
    const std::pair<std::vector<analysis::PointKind>, const char*> cases[] = {
        {{}, "nessuno zero, nessun massimo, nessun minimo, nessun flesso"},
        {{Zero, Maximum, Minimum, Inflection}, "1 zero, 1 massimo, 1 minimo, 1 flesso"},
        {{Zero, DoubleZero, YIntercept, VerticalAsymptote, Inflection, Inflection},
         "2 zeri, nessun massimo, nessun minimo, 2 flessi"},
    };
    for (const auto& [kinds, counts] : cases) {
        analysis::Study study{"x^3", {}, {}, {}};
        for (const analysis::PointKind kind : kinds)
            study.points.push_back({kind, 0, 0, {}});
        EXPECT_EQ(studySummary(study, -0.5, 2.5),
                  QStringLiteral("x^3 da -0,5 a 2,5: %1. F7 per lo studio completo.").arg(counts));
    }
}

TEST_F(SpokenTest, CalcolaSaysItsThreeFieldsAsShownInOrder) {
    draw("x^2-4");
    click(child("Lente"));
    const std::pair<const char*, const char*> cases[] = {
        {"3", "f(x) = 5; angolo 80,537 gradi; f'(x) = 6"},
        {"x", "f(x) non definita; angolo non definito; f'(x) non definita"},
    };
    for (const auto& [x, heard] : cases) {
        window.valueWindow()->findChild<QLineEdit*>("VX")->setText(x);
        const QStringList said =
            heardAfter([&] { window.valueWindow()->findChild<QPushButton*>("Command1")->click(); });
        EXPECT_EQ(said.value(said.size() - 1), heard) << x;
    }
}

TEST_F(SpokenTest, EachTraceMoveSaysWhereItIsAndWhichWayTheCurveGoes) {
    heardAfter([&] { window.findChild<QAction*>("traccia")->trigger(); });
    const std::tuple<const char*, int, Qt::KeyboardModifiers, const char*> cases[] = {
        // On the grid, from the middle: x with the step's decimals.
        {"x^2", Qt::Key_Right, {}, "x = 0,01; f(x) = 0,0001; f'(x) = 0,02; cresce"},
        {"x^2", Qt::Key_Left, {}, "x = -0,01; f(x) = 0,0001; f'(x) = -0,01999; decresce"},
        {"3", Qt::Key_Right, {}, "x = 0,01; f(x) = 3; f'(x) = 0; stazionaria"},
        {"lgn(x)", Qt::Key_Left, {}, "x = -0,01; f(x) = non definita; f'(x) = non definita"},
        // A point of the study: its own digits and its kind.
        {"x^3-3*x", Qt::Key_Left, Qt::ControlModifier, "massimo relativo: x = -1; f(x) = 2"},
    };
    for (const auto& [expression, key, modifiers, heard] : cases) {
        draw(expression);
        if (modifiers)
            window.findChild<QAction*>("studio")->trigger();
        EXPECT_EQ(heardAfter([&] { pressKey(child("Graph"), key, "", modifiers); }),
                  QStringList{heard})
            << expression;
    }
}

TEST_F(SpokenTest, FiveNotchesInABurstSayTheViewOnce) {
    draw("x^2");
    const QPointF middle(224, 155.5);
    const QStringList heard = heardAfter([&] {
        for (int i = 0; i < 5; ++i)
            sendWheel(child("Graph"), middle, 1);
    });
    EXPECT_EQ(heard, QStringList{label("Coordinate")});
    EXPECT_TRUE(label("Coordinate").startsWith(QStringLiteral("Vista: x da ")));
}

TEST_F(SpokenTest, LiveTypingSpeaksTheCheckerOncePausedAndOnlyWhenChanged) {
    draw("x^2");
    heardAfter([&] { window.findChild<QAction*>("disegnoAutomatico")->trigger(); });
    fx()->clear();
    const std::pair<const char*, QStringList> bursts[] = {
        {"sen(x)", {kSen}},
        {"+\b", {}},                    // another refusal, gone within the burst
        {"\b\b\b\b\b\bsin(x)", {}},     // good again: nothing to say
        {"\b\b\b\b\b\bsen(x)", {kSen}}, // the same slip after a good text is news
    };
    for (const auto& [keys, heard] : bursts)
        EXPECT_EQ(heardAfter([&] { type(keys); }), heard) << keys;
    EXPECT_EQ(label("StatusBar"), kSen);
}

TEST_F(SpokenTest, TheSameTextTwiceInARowIsSpokenOnce) {
    Narrator narrator(*reader, nullptr);
    for (const char* text : {"Campi errati", "Campi errati", "", "Campi errati", "Stop", "Stop"})
        narrator.say(QString::fromUtf8(text));
    EXPECT_EQ(reader->spoken, (QStringList{"Campi errati", "Campi errati", "Stop"}));
}

TEST_F(SpokenTest, ASwitchSaysItsNewState) {
    const std::pair<const char*, const char*> cases[] = {
        {"GrigliaM", "Stampa Griglia attivato"},
        {"GrigliaM", "Stampa Griglia disattivato"},
        {"numeriAssi", "Numeri sugli assi attivato"},
        // The entry presses the speed button, whose new name is heard once.
        {"disegnoVeloce", "Speed Disattivato"},
    };
    for (const auto& [entry, heard] : cases)
        EXPECT_EQ(heardAfter([&] { window.findChild<QAction*>(entry)->trigger(); }),
                  QStringList{heard})
            << entry;
}

} // namespace
} // namespace curvalia::ui
