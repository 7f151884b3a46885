// The recordings list of the files page: one row per audio file of the
// output folder with its modification time, size and format, sorted by a
// header click, and the keys and clicks that act on the current recording.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace quillotap {

// Cell texts of a row, in the form the list shows them.
// "YYYY/MM/DD hh:mm:ss" (24-hour clock) with the locale's date and time
// separators in place of "/" and ":".
QString ModifiedText(const QDateTime& time, const QLocale& locale);
// Bytes / 1024 rounded half up, with the locale's thousands separator
// ("#,##0"): 511 bytes show 0, 1536 bytes show 2.
QString SizeText(qint64 bytes, const QLocale& locale);
// The last three characters of the name in upper case ("MP3").
QString FormatText(const QString& fileName);
// Whether a file of this name belongs in the list: it ends in .wav, .wma,
// .mp3, .vox or .ogg in any mix of cases (recordings copied from other
// systems often carry upper-case extensions) and is not hidden.
bool IsRecordingName(const QString& fileName);

class RecordingsList : public QObject {
    Q_OBJECT
public:
    // Columns of the list, from the left.
    enum Column : int { NameColumn = 0, ModifiedColumn, SizeColumn, FormatColumn };
    // Item data: the row's key ("A" + position in the folder listing, in
    // column 0) and the value the modified and size columns sort by.
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int SortRole = Qt::UserRole + 1;

    // Starts stale, with no folder: Build lists nothing until setFolder.
    explicit RecordingsList(QTreeWidget* view, QObject* parent = nullptr);

    // The folder listed (ending in "/"); marks the list stale.
    void setFolder(const QString& folder);
    const QString& folder() const { return folder_; }
    // The folder's contents changed (a recording ended, a file was renamed,
    // deleted or converted): the next Build reads it again.
    void invalidate() { stale_ = true; }
    bool isStale() const { return stale_; }

    // Texts follow this locale; the desktop's by default.
    void setLocale(const QLocale& locale) { locale_ = locale; }

    // Re-reads the output folder when the list is marked stale, otherwise
    // does nothing. Hidden files and folders are left out; a folder that
    // cannot be read gives an empty list. A list sorted by a header click
    // stays sorted the same way; the first row is selected.
    void Build();
    // The "Refresh" button: marks the list stale and builds it.
    void Refresh();
    // A header click: with more than one row, sorts by the column in the
    // direction opposite to the last sort, whichever column that was (the
    // first sort is descending). Sizes sort by bytes and times
    // chronologically; names and formats by their text, ignoring case.
    void ColumnClick(int column);

    // The selected row, else the first; null when the list is empty.
    QTreeWidgetItem* CurrentRecording() const;
    // The selected row; null when none is selected.
    QTreeWidgetItem* SelectedRecording() const;

    QTreeWidget* view() const { return view_; }
    Qt::SortOrder sortOrder() const { return order_; }
    // -1 until the first header click that sorted.
    int sortColumn() const { return sorted_ ? column_ : -1; }

signals:
    // A double-click anywhere on the list, or Enter.
    void playRequested();
    // The Delete key.
    void deleteRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSortIndicator();

    QTreeWidget* view_;
    // Kept apart so that events met while the list is torn down are told
    // apart without calling into the half-destroyed view.
    QWidget* viewport_ = nullptr;
    QString folder_;
    bool stale_ = false;
    QLocale locale_;
    int column_ = 0;
    Qt::SortOrder order_ = Qt::AscendingOrder;
    bool sorted_ = false;
};

} // namespace quillotap
