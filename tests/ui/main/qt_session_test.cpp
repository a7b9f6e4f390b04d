// Sessions in the main window: what is saved comes back whole and drawn, a
// refused file leaves every part as it was, and the keys work from the
// expression box.
#include "session/SessionCodec.h"
#include "support/qt_main_input_support.h"
#include "ui/main/AppearanceActions.h"
#include "ui/main/SessionActions.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct SessionTest : MainWindowRig {
    SessionTest() {
        activate();
        sessions().showError = [this](const QString& text) { shown = text; };
    }
    SessionActions& sessions() { return *window.sessions(); }
    std::string state() { return session::writeSession(sessions().capture()); }
    QImage plot() { return graph()->image(); }
    QString write(const char* name, const std::string& bytes) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    QTemporaryDir folder;
    QString shown;
};

TEST_F(SessionTest, WhatIsSavedComesBackDrawn) {
    window.areaDialog()->setRangeTexts({"-4", "4", "-3", "3", "0.002"});
    child<QAction>("azzurro")->trigger();
    child<QAction>("derpri")->setChecked(true);
    drawExpression("x^3-3*x");
    child<QAction>("noncancellare")->trigger();
    child<QAction>("giallo")->trigger();
    drawExpression("sin(x)");
    for (const char* entry : {"GrigliaM", "numeriAssi", "disegnoVeloce"})
        child<QAction>(entry)->trigger();
    auto* looks = child<AppearanceActions>("appearanceActions");
    looks->apply(
        {plot::Background::White, 2, false, plot::AxisNumberSize::Large, plot::GridStyle::Lines});
    const QImage drawn = plot();
    const std::string saved = state();
    const QString path = folder.filePath("lezione");
    sessions().askSavePath = [&] { return path; };
    sessions().saveChosen();
    EXPECT_TRUE(shown.isEmpty()) << shown.toStdString();
    ASSERT_TRUE(QFile::exists(path + ".curvalia"));

    // Everything changed, then the file opened again.
    for (const char* entry : {"GrigliaM", "numeriAssi", "disegnoVeloce", "noncancellare", "verde"})
        child<QAction>(entry)->trigger();
    window.areaDialog()->setRangeTexts({"-1", "1", "-1", "1", "0.1"});
    looks->apply({});
    drawExpression("x");
    ASSERT_NE(state(), saved);
    sessions().askOpenPath = [&] { return path + ".curvalia"; };
    sessions().openChosen();
    EXPECT_TRUE(shown.isEmpty()) << shown.toStdString();
    EXPECT_EQ(state(), saved);
    EXPECT_EQ(window.plotModel().size(), 2u);
    EXPECT_EQ(fx()->text(), "sin(x)");
    EXPECT_EQ(window.switches().GridOn, plot::kTrue);
    EXPECT_EQ(window.switches().ClearBeforePlot, plot::kFalse);
    EXPECT_EQ(window.switches().CurveColor, 14);
    // Drawn once, in the session's look.
    EXPECT_TRUE(samePixels(plot(), drawn));
}

TEST_F(SessionTest, ARefusedFileChangesNothing) {
    child<QAction>("derpri")->setChecked(true);
    drawExpression("x^2");
    const std::string before = state();
    const QImage image = plot();
    const std::pair<QString, QString> rows[] = {
        {write("vuoto.curvalia", ""), "il file è vuoto."},
        {write("tagliato.curvalia", before.substr(0, before.size() - 3)), "il file è troncato."},
        {write("grande.curvalia", std::string(10 * 1024 * 1024, ' ')),
         "il file è più grande di 1 MB."},
        {write("nuovo.curvalia",
               session::writeSession({}).replace(session::writeSession({}).find("\"versione\": 2"),
                                                 13, "\"versione\": 7")),
         "è stata salvata da una versione più recente del programma."},
    };
    for (const auto& [path, reason] : rows) {
        shown.clear();
        EXPECT_FALSE(sessions().open(path));
        EXPECT_EQ(shown, QString::fromUtf8(SessionActions::kInvalidPrefix) + reason);
        EXPECT_EQ(state(), before);
        EXPECT_TRUE(samePixels(plot(), image));
    }
    EXPECT_FALSE(sessions().open(folder.filePath("manca.curvalia")));
    EXPECT_TRUE(shown.startsWith("Impossibile aprire la sessione: "));
    EXPECT_EQ(state(), before);
}

TEST_F(SessionTest, KeysWorkFromTheExpressionBoxAndNotDuringADraw) {
    int opened = 0, saved = 0;
    sessions().askOpenPath = [&] { return ++opened, QString(); };
    sessions().askSavePath = [&] { return ++saved, QString(); };
    fx()->setFocus();
    pressKey(fx(), Qt::Key_O, "", Qt::ControlModifier);
    pressKey(fx(), Qt::Key_S, "", Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(saved, 1);

    child<QAction>("disegnoVeloce")->trigger(); // a draw that yields
    window.areaDialog()->setRangeTexts({"-10", "10", "-10", "10", "0.001"});
    duringDraw([&] {
        child<QAction>("apriSessione")->trigger();
        sessions().openChosen();
        EXPECT_FALSE(sessions().open(write("x.curvalia", session::writeSession({}))));
        child<QAction>("stop")->trigger();
    });
    drawExpression("x");
    EXPECT_EQ(opened, 1);
}

} // namespace
} // namespace curvalia::ui
