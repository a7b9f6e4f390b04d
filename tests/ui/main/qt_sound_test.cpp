// The curve heard and saved: F8 in the expression box and the study
// window's buttons reach the audio output; a refused text or a missing
// output is said on the status line, quickly with the real output on a
// machine without sound; "Salva suono..." writes the WAV file or says why not.
#include "platform/QtAudioOutput.h"
#include "support/qt_main_input_support.h"
#include "ui/main/SoundActions.h"

#include <QAction>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMediaDevices>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct Heard {
    bool available = true;
    int plays = 0;
    qsizetype bytes = 0;
    std::function<void()> failed;
};

struct FakeAudio final : platform::AudioOutput {
    explicit FakeAudio(Heard& h) : heard(h) {}
    bool play(const QByteArray& pcm, int sampleRate, std::function<void()> failed) override {
        if (!heard.available || sampleRate != 22050)
            return false;
        heard = {true, heard.plays + 1, pcm.size(), std::move(failed)};
        return true;
    }
    void stop() override {}
    Heard& heard;
};

struct SoundTest : MainWindowRig {
    SoundTest() {
        activate();
        fx()->setFocus();
    }
    SoundActions* sound() { return child<SoundActions>("soundActions"); }
    void useFake() { sound()->setAudioOutput(std::make_unique<FakeAudio>(heard)); }
    QString pressF8(const char* expression) {
        child<QLabel>("StatusBar")->clear();
        fx()->setText(expression);
        pressKey(QApplication::focusWidget(), Qt::Key_F8);
        return status();
    }
    void clickInStudy(const char* button) {
        window.findChild<QAction*>("studio")->trigger();
        window.findChild<QPushButton*>(button)->click();
    }
    Heard heard;
};

TEST_F(SoundTest, F8InTheExpressionBoxPlaysItsCurveOrSaysWhyNot) {
    useFake();
    EXPECT_EQ(pressF8("sin(x)"), "");
    EXPECT_EQ(heard.plays, 1);
    EXPECT_EQ(heard.bytes, 2 * 66150); // 3 s at 22050 Hz, 16 bits
    EXPECT_EQ(QApplication::focusWidget(), fx());
    heard.failed(); // the output gave up while playing
    EXPECT_EQ(status(), SoundActions::kNoAudio);
    EXPECT_EQ(pressF8("sin(x"), "Le parentesi APERTE sono maggiori di quelle chiuse");
    heard.available = false;
    EXPECT_EQ(pressF8("x^2"), SoundActions::kNoAudio);
    EXPECT_EQ(heard.plays, 1);

    // Right after the study of the function in "Menu".
    const QList<QAction*> entries = child<QMenu>("menu")->actions();
    const auto at = entries.indexOf(child<QAction>("ascolta"));
    ASSERT_GT(at, 0);
    EXPECT_EQ(entries[at - 1]->objectName(), "studio");
}

TEST_F(SoundTest, WithoutAnAudioOutputTheRealPlayerSaysSoWithinASecond) {
    if (!QMediaDevices::audioOutputs().isEmpty())
        GTEST_SKIP() << "this machine has an audio output";
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(platform::QtAudioOutput().play(QByteArray(4410, 0), 22050, nullptr));
    EXPECT_EQ(pressF8("sin(x)"), SoundActions::kNoAudio); // the window's own output
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(SoundTest, TheStudyWindowsButtonsPlayAndSaveTheSound) {
    useFake();
    fx()->setText("sin(x)");
    clickInStudy("AscoltaGrafico");
    EXPECT_EQ(heard.plays, 1);

    QTemporaryDir folder;
    const struct {
        QString path;
        QString error;
    } rows[] = {
        {folder.filePath("suono.wav"), ""},
        {"", ""}, // cancelled
        {folder.filePath("suono.mp3"),
         "Impossibile salvare il suono: il nome del file deve terminare con .wav."},
        {folder.filePath("manca/suono.wav"), "Impossibile salvare il suono: la cartella \"" +
                                                 folder.filePath("manca") + "\" non esiste."}};
    for (const auto& [path, error] : rows) {
        QString shown;
        sound()->askPath = [&] { return path; };
        sound()->showError = [&](const QString& text) { shown = text; };
        clickInStudy("SalvaSuono");
        EXPECT_EQ(shown, error) << path.toStdString();
    }
    QFile wav(folder.filePath("suono.wav"));
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    EXPECT_EQ(wav.size(), 44 + 2 * 66150);
    EXPECT_EQ(wav.read(4), "RIFF");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"suono.wav"});
}

} // namespace
} // namespace curvalia::ui
