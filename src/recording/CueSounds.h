// The start and stop cue sounds of the hotkeys: "start.wav" before a hotkey
// starts a recording, "stop.wav" after a hotkey stops one, both from the
// program's folder. A cue plays on the default output through a player of its
// own (the program's player may be busy with a recording) while the calling
// thread waits a fixed time (1000 ms for the start cue, 500 ms for the stop
// cue); whatever is still sounding then is cut off. The start cue therefore
// never ends up in the recording. An installed program finds the cue files
// in its share folder (see CompanionFiles.h).
#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace quillotap {

class AudioPlayer;
class SoundBackend;

class CueSounds {
public:
    // Holds the calling thread for the given milliseconds.
    using Wait = std::function<void(int milliseconds)>;

    static constexpr int kStartCueMs = 1000;
    static constexpr int kStopCueMs = 500;

    // The cue files are looked for beside the program in appFolder (ending
    // in "/"). Both cues start switched on. Without a back end the program's
    // sound back end is used; without a wait, real time passes.
    explicit CueSounds(QString appFolder, std::shared_ptr<SoundBackend> backend = nullptr,
                       Wait wait = {});
    ~CueSounds();
    CueSounds(const CueSounds&) = delete;
    CueSounds& operator=(const CueSounds&) = delete;

    // Looks for the cue files in another folder (ending in "/") from now on.
    void setAppFolder(const QString& folder) { appFolder_ = folder; }

    // Whether PlayStartCue would play a cue (it is switched on and its file
    // exists).
    bool startCueWillPlay() const;
    // Play the cue when it is switched on and its file exists; return when
    // its time is over.
    void PlayStartCue();
    void PlayStopCue();

    // The check boxes "Play sound when press hotkey to start/stop recording"
    // switch the cues on and off.
    void setStartCueOn(bool checked);
    void setStopCueOn(bool checked);
    bool startCueOn() const { return startCueOn_; }
    bool stopCueOn() const { return stopCueOn_; }
    // The "Test" buttons: play the cue even while it is switched off.
    void testStartCue();
    void testStopCue();

    // Whether the cue player still sounds (it never does once a cue call
    // has returned).
    bool isCuePlaying() const;

    // The real-time wait: blocks the calling thread.
    static void BlockFor(int milliseconds);

private:
    void playCue(bool on, const QString& fileName, int milliseconds);
    void queueFile(const QString& path, int milliseconds);

    QString appFolder_;
    bool startCueOn_ = true;
    bool stopCueOn_ = true;
    std::shared_ptr<SoundBackend> backend_;
    Wait wait_;
    std::unique_ptr<AudioPlayer> player_;
};

} // namespace quillotap
