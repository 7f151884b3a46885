// The recorder page's format list with its one-line description and "Set":
// the description follows the chosen format, "Set" or a click on the line
// opens the format's options, and the choice is stored at exit and chosen
// again at the next start.
#pragma once

#include <QObject>

#include <functional>

class QAbstractButton;
class QComboBox;
class QLabel;
class QWidget;

namespace quillotap {

class AudioFile;
struct FormatOptions;

class FormatLine : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<bool()> isRecording;    // a file is being written
        std::function<void()> suspendHotkeys; // around the options dialog
        std::function<void()> resumeHotkeys;
        std::function<void()> formatChanged; // the output format may differ now
    };

    // `formats` and `writer` must outlive the line; `dialogParent` owns the
    // options dialogs.
    FormatLine(QComboBox* list, QLabel* description, QAbstractButton* set, FormatOptions& formats,
               AudioFile& writer, QWidget* dialogParent, Hooks hooks, QObject* parent = nullptr);

    // The list's selection: the description and "Set" (locked while a
    // recording runs) follow it.
    void onFormatChosen();
    // "Set": the chosen format's options; nothing while recording.
    void onSetClicked();
    // The start: the stored last format, else MP3.
    void selectStored();
    // The exit: stores the chosen format.
    void saveChoice() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* list_;
    QLabel* description_;
    QAbstractButton* set_;
    FormatOptions& formats_;
    AudioFile& writer_;
    QWidget* dialogParent_;
    Hooks hooks_;
};

} // namespace quillotap
