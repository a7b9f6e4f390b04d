// "Ascolta il grafico" (F8, and a button of the study window) and "Salva
// suono..." (a button of the study window): the sound of the curve in the
// expression box over the plot's view, made from its study, played through
// the audio output or written as a WAV file. It works with the study
// window closed too: it makes its own study.
#pragma once

#include "analysis/CurveSound.h"
#include "analysis/FunctionStudy.h"
#include "platform/AudioOutput.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace curvalia::ui {

class SoundActions : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kNoAudio = "Audio non disponibile";

    struct Sources {
        std::function<std::string()> expression; // the expression box, as typed
        // The view, or none with its message in *why (as the study window reads it).
        std::function<std::optional<analysis::StudyRange>(std::string* why)> range;
        std::function<void(const QString&)> status; // a text for the status line
    };
    SoundActions(QWidget& window, Sources sources, std::unique_ptr<platform::AudioOutput> audio);
    ~SoundActions() override;

    void play();
    // Asks for a file and writes the sound there; a failure is reported.
    void save();

    // Replaceable for the tests: the audio output, the file dialog (empty:
    // cancelled) and the message box.
    void setAudioOutput(std::unique_ptr<platform::AudioOutput> audio);
    std::function<QString()> askPath;
    std::function<void(const QString&)> showError;

  private:
    // The samples, or nothing after a refusal was written to the status line.
    std::optional<std::vector<std::int16_t>> make();
    QString askPathWithDialog();

    QWidget& window_;
    Sources sources_;
    std::unique_ptr<platform::AudioOutput> audio_;
    analysis::FunctionStudy study_;
    analysis::CurveSound sound_;
    analysis::SoundShape shape_;
    QString lastFolder_;
};

} // namespace curvalia::ui
