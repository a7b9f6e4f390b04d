// The curve heard and saved: F8 from the expression box and the study
// window's buttons reach the audio output with the box's curve, a refused
// text or a missing output is said on the status line (quickly, with the
// real output on a machine without sound), and "Salva suono..." writes the
// WAV file or says why not.
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

// What the fake output was given; it lives in the test, the fake in the window.
struct Heard {
    bool available = true;
    int plays = 0;
    qsizetype bytes = 0;
    int sampleRate = 0;
    std::function<void()> failed;
};

class FakeAudio final : public platform::AudioOutput {
  public:
    explicit FakeAudio(Heard& heard) : heard_(heard) {}
    bool play(const QByteArray& pcm, int sampleRate, std::function<void()> failed) override {
        if (!heard_.available)
            return false;
        ++heard_.plays;
        heard_.bytes = pcm.size();
        heard_.sampleRate = sampleRate;
        heard_.failed = std::move(failed);
        return true;
    }
    void stop() override {}

  private:
    Heard& heard_;
};

bool hasAudioOutput() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

struct SoundTest : MainWindowRig {
    SoundTest() {
        QApplication::processEvents();
        QApplication::setActiveWindow(&window);
        fx()->setText("sin(x)");
        fx()->setFocus();
    }
    SoundActions* sound() { return child<SoundActions>("soundActions"); }
    void useFake() { sound()->setAudioOutput(std::make_unique<FakeAudio>(heard)); }
    void pressF8() { pressKey(QApplication::focusWidget(), Qt::Key_F8); }
    QString status() { return child<QLabel>("StatusBar")->text(); }
    QPushButton* studyButton(const char* name) {
        window.findChild<QAction*>("studio")->trigger();
        return window.findChild<QPushButton*>(name);
    }
    Heard heard;
};

TEST_F(SoundTest, F8InTheExpressionBoxPlaysItsCurveOrSaysWhyNot) {
    useFake();
    const struct {
        const char* expression;
        bool available;
        int plays;
        const char* status;
    } rows[] = {{"sin(x)", true, 1, ""},
                {"sin(x", true, 0, "Le parentesi APERTE sono maggiori di quelle chiuse"},
                {"x^2", false, 0, SoundActions::kNoAudio}};
    for (const auto& [expression, available, plays, said] : rows) {
        SCOPED_TRACE(expression);
        heard = Heard{};
        heard.available = available;
        child<QLabel>("StatusBar")->clear();
        fx()->setText(expression);
        pressF8();
        EXPECT_EQ(heard.plays, plays);
        EXPECT_EQ(status(), said);
        EXPECT_EQ(QApplication::focusWidget(), fx());
    }
    // Three seconds at 22050 samples a second, 16 bits each; an output that
    // gives up later says so too.
    heard = {};
    fx()->setText("sin(x)");
    pressF8();
    EXPECT_EQ(heard.sampleRate, 22050);
    EXPECT_EQ(heard.bytes, 2 * 66150);
    heard.failed();
    EXPECT_EQ(status(), SoundActions::kNoAudio);

    // Right after the study of the function in "Menu".
    const QList<QAction*> entries = child<QMenu>("menu")->actions();
    const auto at = entries.indexOf(child<QAction>("ascolta"));
    ASSERT_GT(at, 0);
    EXPECT_EQ(entries[at - 1]->objectName(), "studio");
    EXPECT_EQ(entries[at]->text(), "Ascolta il g&rafico");
}

TEST_F(SoundTest, WithoutAnAudioOutputTheRealPlayerSaysSoWithinASecond) {
    if (hasAudioOutput())
        GTEST_SKIP() << "this machine has an audio output";
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(platform::QtAudioOutput().play(QByteArray(4410, 0), 22050, nullptr));
    pressF8(); // the window's own output
    EXPECT_EQ(status(), SoundActions::kNoAudio);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(SoundTest, TheStudyWindowsButtonsPlayAndSaveTheSound) {
    useFake();
    studyButton("AscoltaGrafico")->click();
    EXPECT_EQ(heard.plays, 1);

    QTemporaryDir folder;
    const QString good = folder.filePath("suono.wav");
    const struct {
        QString path;
        QString error;
    } rows[] = {
        {good, ""},
        {"", ""}, // cancelled
        {folder.filePath("suono.mp3"),
         "Impossibile salvare il suono: il nome del file deve terminare con .wav."},
        {folder.filePath("manca/suono.wav"), "Impossibile salvare il suono: la cartella \"" +
                                                 folder.filePath("manca") + "\" non esiste."}};
    for (const auto& [path, error] : rows) {
        SCOPED_TRACE(path.toStdString());
        QString shown;
        sound()->askPath = [&] { return path; };
        sound()->showError = [&](const QString& text) { shown = text; };
        studyButton("SalvaSuono")->click();
        EXPECT_EQ(shown, error);
    }
    QFile wav(good);
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    EXPECT_EQ(wav.size(), 44 + 2 * 66150);
    EXPECT_EQ(wav.read(4), "RIFF");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"suono.wav"});
}

} // namespace
} // namespace curvalia::ui
