#include "ui/main/SoundActions.h"

#include "engine/Engine.h"
#include "platform/AtomicFile.h"
#include "ui/plotview/FileQuestion.h"
#include "ui/plotview/PlotExporter.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>

#include <cstring>

namespace curvalia::ui {

namespace {

const QString kFailurePrefix = QStringLiteral("Impossibile salvare il suono: ");

} // namespace

SoundActions::SoundActions(QWidget& window, Sources sources,
                           std::unique_ptr<platform::AudioOutput> audio)
    : QObject(&window), window_(window), sources_(std::move(sources)), audio_(std::move(audio)) {
    setObjectName(QStringLiteral("soundActions"));
    askPath = [this] { return askPathWithDialog(); };
    showError = [this](const QString& text) {
        QMessageBox::warning(&window_, QStringLiteral(CURVALIA_TITLE), text);
    };
}

SoundActions::~SoundActions() = default;

void SoundActions::setAudioOutput(std::unique_ptr<platform::AudioOutput> audio) {
    audio_ = std::move(audio);
}

std::optional<std::vector<std::int16_t>> SoundActions::make() {
    std::string why;
    const std::optional<analysis::StudyRange> range = sources_.range(&why);
    if (!range) {
        sources_.status(QString::fromStdString(why));
        return std::nullopt;
    }
    const analysis::Study study = study_.study(engine::toLowerText(sources_.expression()), *range);
    analysis::CurveSoundResult result = sound_.make(study, *range, shape_);
    if (result.refusal) {
        sources_.status(QString::fromStdString(*result.refusal));
        return std::nullopt;
    }
    return std::move(result.samples);
}

void SoundActions::play() {
    const std::optional<std::vector<std::int16_t>> samples = make();
    if (!samples)
        return;
    QByteArray pcm(static_cast<qsizetype>(samples->size() * sizeof(std::int16_t)),
                   Qt::Uninitialized);
    std::memcpy(pcm.data(), samples->data(), static_cast<std::size_t>(pcm.size()));
    const auto failed = [self = QPointer<SoundActions>(this)] {
        if (self)
            self->sources_.status(QString::fromUtf8(kNoAudio));
    };
    if (!audio_ || !audio_->play(pcm, shape_.sampleRate, failed))
        failed();
}

void SoundActions::save() {
    // Made first: a refused expression needs no file dialog.
    const std::optional<std::vector<std::int16_t>> samples = make();
    if (!samples)
        return;
    const QString path = askPath();
    if (path.isEmpty())
        return;
    lastFolder_ = QFileInfo(path).absolutePath();
    if (!path.endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive)) {
        showError(kFailurePrefix + QStringLiteral("il nome del file deve terminare con .wav."));
        return;
    }
    const std::string bytes = analysis::wavBytes(*samples, shape_.sampleRate);
    if (const int error =
            platform::writeFileAtomically(QFile::encodeName(path).toStdString(), bytes))
        showError(saveFailureMessage(path, error, kFailurePrefix));
}

QString SoundActions::askPathWithDialog() {
    return askForFile(&window_,
                      {QStringLiteral("Salva suono"),
                       QStandardPaths::MusicLocation,
                       true,
                       QStringLiteral("grafico.wav"),
                       {QStringLiteral("Suono WAV (*.wav)")},
                       {QStringLiteral("wav")}},
                      lastFolder_);
}

} // namespace curvalia::ui
