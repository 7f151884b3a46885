// The recorder page and the recording options: the Record and Stop buttons
// driving the recording session, the output format line, the monitor that
// shows time and size and applies the limits, the sound-activation and
// pre-roll boxes, and the hold on the machine's sleep while a file is written.
#pragma once

#include "formats/FormatLine.h"
#include "recording/StartOptionBoxes.h"

#include <QObject>

class QAbstractButton;
class QComboBox;
class QLabel;

namespace quillotap {

class InputSelection;
class OptionBoxes;
class RecordingMonitor;
class RecordingSession;
class RecordingView;
struct FormatOptions;

struct RecorderPageControls {
    QAbstractButton* record = nullptr;    // CmdRecord
    QAbstractButton* stop = nullptr;      // CmdStopRecord
    QComboBox* formatList = nullptr;      // ComboFormat
    QLabel* formatDescription = nullptr;  // LabelFomartStr
    QAbstractButton* setButton = nullptr; // CmdSet
    QComboBox* deviceList = nullptr;      // DeviceCombo
    StartOptionControls startOptions;     // on the options page
};

class RecorderPage : public QObject {
    Q_OBJECT
public:
    // `suspendHotkeys`/`resumeHotkeys` run around the format dialogs.
    // `controls` must outlive this object.
    RecorderPage(const RecorderPageControls& controls, RecordingView& view,
                 RecordingSession& session, InputSelection& input, const OptionBoxes& limits,
                 FormatOptions& formats, QWidget* dialogParent,
                 std::function<void()> suspendHotkeys, std::function<void()> resumeHotkeys,
                 QObject* parent = nullptr);
    ~RecorderPage() override;

    RecordingMonitor& monitor() const { return *monitor_; }
    StartOptionBoxes& startOptions() const { return *startOptions_; }
    FormatLine& formatLine() const { return *formatLine_; }

    // Reads the start options into the boxes and the session.
    void loadStartOptions();

private:
    RecordingSession& session_;
    std::unique_ptr<RecordingMonitor> monitor_;
    StartOptionBoxes* startOptions_;
    FormatLine* formatLine_;
};

} // namespace quillotap
