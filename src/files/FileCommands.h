// Rename, Delete and Properties of the files page: each acts on one listed
// recording, keeps the player and a running recording out of harm's way,
// and says plainly why when the file system refuses.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace quillotap {

class FileProperties;
class Playback;
class RecordingSession;
class RecordingsList;

// Renames without ever replacing a file that exists under the new name:
// renameat2 with RENAME_NOREPLACE, or, on file systems without it, a hard
// link under the new name followed by the removal of the old one. Returns 0
// or the errno of the failing step; on failure both names are as before.
int RenameWithoutReplacing(const QString& from, const QString& to);
// The link-and-unlink half of the above, on its own.
int RenameByLinking(const QString& from, const QString& to);

// Why a name typed for a rename cannot name a file in the folder ("" when it
// can): a slash, a NUL, "." or "..", or nothing but blanks.
QString NewNameProblem(const QString& name);
// The typed name with the old name's extension (its last four characters)
// appended unless it already ends in it, compared without regard to case:
// with "a.mp3", "take1" gives "take1.mp3", "take1.MP3" stays, "take1.wav"
// gives "take1.wav.mp3".
QString WithExtension(const QString& name, const QString& oldName);

class FileCommands : public QObject {
    Q_OBJECT
public:
    using Message =
        std::function<void(QMessageBox::Icon icon, const QString& title, const QString& text)>;

    struct Hooks {
        std::function<void()> suspendHotkeys; // around each dialog
        std::function<void()> resumeHotkeys;
    };

    // `owner` owns the dialogs; a file being recorded by `session` is left
    // alone, one `playback` plays is stopped first.
    FileCommands(QWidget& owner, RecordingsList& list, const RecordingSession& session,
                 Playback& playback, Hooks hooks, Message message, QObject* parent = nullptr);

    // "Rename": asks for a new name for the selected recording and renames
    // the file and its row in place.
    void Rename();
    // "Delete" and the Delete key: deletes the current recording after the
    // user confirms, then rebuilds the list.
    void Delete();
    // "Properties": the file manager's property sheet for the current
    // recording, else the program's own.
    void Properties();

    // The desktop request behind Properties (tests point it at their bus).
    FileProperties& properties() const { return *properties_; }

signals:
    // A recording was renamed: the recorder page's "Play" follows the last
    // recording to its new name.
    void renamed(const QString& oldPath, const QString& newPath);

private:
    QString folder() const;
    bool isBeingRecorded(const QString& path) const;
    bool isInPlayer(const QString& path) const;
    void showOwnProperties(const QString& path);
    void showError(const QString& title, const QString& text);

    QWidget& owner_;
    RecordingsList& list_;
    const RecordingSession& session_;
    Playback& playback_;
    Hooks hooks_;
    Message message_;
    FileProperties* properties_;
};

} // namespace quillotap
