#include "recording/CueSounds.h"

#include "audio/AudioFile.h"
#include "audio/AudioPlayer.h"
#include "audio/SoundBackend.h"
#include "settings/CompanionFiles.h"

#include <QFileInfo>
#include <chrono>
#include <thread>

namespace quillotap {

namespace {

const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");

// Extra audio read beyond the cue's time, so the cut-off, not the end of
// what was queued, ends the sound of a long file.
constexpr int kReadMarginMs = 500;

} // namespace

CueSounds::CueSounds(QString appFolder, std::shared_ptr<SoundBackend> backend, Wait wait)
    : appFolder_(std::move(appFolder)), backend_(std::move(backend)), wait_(std::move(wait)) {
    if (!wait_)
        wait_ = &CueSounds::BlockFor;
}

CueSounds::~CueSounds() = default;

void CueSounds::BlockFor(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool CueSounds::startCueWillPlay() const {
    return startCueOn_ &&
           QFileInfo(CompanionFilePath(appFolder_, QStringLiteral("start.wav"))).isFile();
}

void CueSounds::PlayStartCue() {
    playCue(startCueOn_, QStringLiteral("start.wav"), kStartCueMs);
}

void CueSounds::PlayStopCue() {
    playCue(stopCueOn_, QStringLiteral("stop.wav"), kStopCueMs);
}

void CueSounds::setStartCueOn(bool checked) {
    startCueOn_ = checked;
}

void CueSounds::setStopCueOn(bool checked) {
    stopCueOn_ = checked;
}

void CueSounds::testStartCue() {
    playCue(true, QStringLiteral("start.wav"), kStartCueMs);
}

void CueSounds::testStopCue() {
    playCue(true, QStringLiteral("stop.wav"), kStopCueMs);
}

bool CueSounds::isCuePlaying() const {
    return player_ && player_->IsPlaying();
}

void CueSounds::playCue(bool on, const QString& fileName, int milliseconds) {
    if (!on)
        return;
    const QString path = CompanionFilePath(appFolder_, fileName);
    if (!QFileInfo(path).isFile())
        return;
    if (!player_)
        player_ = std::make_unique<AudioPlayer>(backend_ ? backend_ : SoundBackend::instance());
    // A file that cannot be read or played still takes its time, so a
    // hotkey behaves the same whatever the file holds.
    queueFile(path, milliseconds);
    wait_(milliseconds);
    player_->Stop();
}

void CueSounds::queueFile(const QString& path, int milliseconds) {
    AudioFile file;
    file.OpenForReading(path);
    if (file.GetStatus() < 0)
        return;
    const int channels = file.GetChannels();
    const int sampleRate = file.GetSampleRate();
    player_->Stop();
    player_->Reset();
    player_->SetFormat(sampleRate, channels);
    qint64 remaining = qint64(sampleRate) * channels * (milliseconds + kReadMarginMs) / 1000;
    const int blockElements = player_->GetBufferSize(250);
    while (remaining > 0) {
        SampleBlock block = file.ReadSamples(int(std::min<qint64>(blockElements, remaining)));
        if (block.empty())
            break;
        remaining -= qint64(block.size());
        player_->QueueSamples(block);
    }
    file.CloseReader();
    player_->Start();
}

} // namespace quillotap
