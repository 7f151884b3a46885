// The state the main window shares with every subsystem: the audio engine
// objects it owns for the life of the process, the flags that coordinate the
// handlers on the UI thread, the folders and paths, and the options that are
// kept in memory between the settings load and the settings save.
//
// Everything here is touched from the UI thread only; the Boolean flags are
// the whole coordination between the recorder, the player, the hotkey poller,
// the page menu and icon mode.
#pragma once

#include "audio/AudioFile.h"
#include "audio/AudioInformation.h"
#include "audio/AudioPlayer.h"
#include "audio/AudioRecord.h"
#include "audio/MP3Lame.h"
#include "formats/Mp3Settings.h"
#include "formats/OutputFormatSettings.h"
#include "recording/RecordingStartOptions.h"

#include <QString>
#include <QtGlobal>
#include <memory>

namespace quillotap {

struct MainState {
    // ---- audio engine objects (created by CreateAudioObjects) ----
    std::unique_ptr<quillotap::AudioRecord> AudioRecord;
    std::unique_ptr<quillotap::AudioFile> AudioFile;
    std::unique_ptr<quillotap::MP3Lame> MP3Lame;
    std::unique_ptr<quillotap::AudioPlayer> AudioPlayer;
    std::unique_ptr<quillotap::AudioInformation> AudioInformation;

    // ---- recording ----
    // A recording is running: set after the recorder started, cleared by the
    // stop routine. A running recorder with this flag clear is the preview.
    bool RecordingActive = false;
    // Sound-activated recording is armed: Record was pressed and files start
    // and end with the sound until Stop. RecordingActive is set only while
    // one of its files is being written.
    bool SoundArmed = false;
    // Pre-roll and sound activation, kept in step with the options page.
    quillotap::RecordingStartOptions StartOptions;
    // Check-box value (0 or 1) of the preview to switch on again when the
    // recorder page is shown; 0 when there is nothing to restore.
    int PreviewRestore = 0;
    // The recordings list must be re-read from the output folder.
    bool FileListStale = false;
    // Number of input sources (lines) of the selected device; 0: none usable.
    int CountSrc = 0;
    // Line index of the chosen input source; the level sliders act on it.
    int SourceLine = 0;
    // The user is dragging the input-volume slider: volume changes reported
    // by the sound system must not move its knob meanwhile.
    bool SrcVolumeBusy = false;

    // One-line description of the current MP3 settings.
    QString MP3FormatStr;
    // The OGG, WAV and WMA options, and the tag every new MP3 file gets.
    quillotap::OutputFormatSettings FormatSettings;
    quillotap::ID3Defaults ID3;

    // ---- folders and files (folders always end in "/") ----
    QString AppFolder;
    QString OutputFolder;
    // Name and full path of the current or last recording; kept after a stop
    // so that "play the recorded file" and the size display can use them.
    QString OutputFileName;
    QString OutputFilePath;

    // ---- options kept in memory ("Yes"/"No" texts, compared exactly) ----
    QString PlayStartSound = QStringLiteral("Yes");
    QString PlayStopSound = QStringLiteral("Yes");
    QString SizeLimit = QStringLiteral("No");
    QString Timelimit = QStringLiteral("No");
    QString StartIconWhenMin = QStringLiteral("No");
    // Size limit in megabytes (1..2048) and time limit in seconds (5..86400).
    int MaxSize = 10;
    int MaxTime = 600;

    // ---- playback ----
    bool PlayerActive = false;
    bool PlayerPaused = false;
    // File position (frames) at which the current player run began.
    qint64 PlayBase = 0;
    // Interleaved samples read and queued per block.
    int PlayBlockSize = 0;
    // Duration of the open file in whole seconds.
    qint64 PlayTotalSeconds = 0;
    // The user holds the position slider: the player's progress must not
    // move its knob meanwhile.
    bool PositionDragging = false;

    // ---- icon mode ----
    bool IconMode = false;
    // The icon-mode balloon has been shown once in this run.
    bool BalloonShown = false;
    // Which picture the next blink tick shows while recording in icon mode.
    bool IconBlinkPhase = false;

    // ---- window chrome ----
    // Index of the page shown, 0 (recorder) to 4 (options).
    int CurrentPage = 0;
    // Visualization preset (1..12) last applied to the input display and to
    // the playback display; the values are the first-start defaults.
    int CurrentPreset1 = 4;
    int CurrentPreset2 = 11;

    // Creates the five audio objects in the order recorder, audio file, MP3
    // settings, player, tag object, and switches the audio file's flag on as
    // the start-up expects. Objects that exist already are kept.
    void CreateAudioObjects() {
        if (!AudioRecord)
            AudioRecord = std::make_unique<quillotap::AudioRecord>();
        if (!AudioFile) {
            AudioFile = std::make_unique<quillotap::AudioFile>();
            AudioFile->SetFlag(true);
        }
        if (!MP3Lame)
            MP3Lame = std::make_unique<quillotap::MP3Lame>();
        if (!AudioPlayer)
            AudioPlayer = std::make_unique<quillotap::AudioPlayer>();
        if (!AudioInformation)
            AudioInformation = std::make_unique<quillotap::AudioInformation>();
    }
};

} // namespace quillotap
