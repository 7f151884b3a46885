#include "files/RecordingsList.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

#include <cmath>
#include <limits>

namespace quillotap {

namespace {

const QStringList& RecordingPatterns() {
    static const QStringList patterns{QStringLiteral("*.wav"), QStringLiteral("*.wma"),
                                      QStringLiteral("*.mp3"), QStringLiteral("*.vox"),
                                      QStringLiteral("*.ogg"), QStringLiteral("*.flac"),
                                      QStringLiteral("*.opus")};
    return patterns;
}

// The separator a locale's short date or time format puts after its first
// field ("dd.MM.yy" gives "."). Formats whose separators are words or that
// quote literal text give the fallback.
QString FirstSeparator(const QString& format, const QString& fallback) {
    QString run;
    bool seenField = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            return fallback;
        if (c.isLetter()) {
            if (seenField && !run.isEmpty())
                break;
            seenField = true;
            continue;
        }
        if (seenField)
            run += c;
    }
    run = run.trimmed();
    if (run.isEmpty())
        return fallback;
    for (const QChar c : run) {
        if (c.isLetterOrNumber())
            return fallback;
    }
    return run;
}

// A row that sorts the modified and size columns by their value (time,
// bytes) and the others by their text without regard to case.
class RecordingItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant mine = data(column, RecordingsList::SortRole);
        const QVariant theirs = other.data(column, RecordingsList::SortRole);
        if (mine.isValid() && theirs.isValid())
            return mine.toLongLong() < theirs.toLongLong();
        const QString a = text(column);
        const QString b = other.text(column);
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : QString::compare(a, b) < 0;
    }
};

} // namespace

QString ModifiedText(const QDateTime& time, const QLocale& locale) {
    if (!time.isValid())
        return QString();
    const QString date =
        FirstSeparator(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
    const QString clock =
        FirstSeparator(locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
    const QDateTime local = time.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0')) + date + two(d.month()) +
           date + two(d.day()) + QLatin1Char(' ') + two(t.hour()) + clock + two(t.minute()) +
           clock + two(t.second());
}

QString SizeText(qint64 bytes, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    const auto kilobytes =
        static_cast<qint64>(std::floor(static_cast<double>(bytes) / 1024.0 + 0.5));
    return grouped.toString(kilobytes);
}

QString FormatText(const QString& fileName) {
    // The extension, which is longer than three letters for FLAC and Opus.
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return (dot >= 0 ? fileName.mid(dot + 1) : fileName.right(3)).toUpper();
}

bool IsRecordingName(const QString& fileName) {
    if (fileName.startsWith(QLatin1Char('.')))
        return false;
    for (const QString& pattern : RecordingPatterns()) {
        if (fileName.endsWith(pattern.mid(1), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

RecordingsList::RecordingsList(QTreeWidget* view, QObject* parent) : QObject(parent), view_(view) {
    view_->setSortingEnabled(false);
    view_->header()->setSortIndicatorShown(false);
    view_->header()->setSectionsClickable(true);
    connect(view_->header(), &QHeaderView::sectionClicked, this, &RecordingsList::ColumnClick);
    view_->installEventFilter(this);
    viewport_ = view_->viewport();
    viewport_->installEventFilter(this);
}

void RecordingsList::setFolder(const QString& folder) {
    folder_ = folder;
    stale_ = true;
}

void RecordingsList::Build() {
    if (!stale_)
        return;
    stale_ = false;

    const bool updates = view_->updatesEnabled();
    view_->setUpdatesEnabled(false);
    view_->clear();

    QFileInfoList entries;
    if (!folder_.isEmpty()) {
        // Name filters of QDir ignore case unless told otherwise.
        entries = QDir(folder_).entryInfoList(RecordingPatterns(), QDir::Files, QDir::Name);
    }
    QList<QTreeWidgetItem*> rows;
    rows.reserve(entries.size());
    for (const QFileInfo& info : entries) {
        const QString name = info.fileName();
        if (!IsRecordingName(name))
            continue;
        // A file that vanished meanwhile keeps its row with empty values.
        const QDateTime modified = info.lastModified();
        const qint64 bytes = info.size();
        auto* row = new RecordingItem(QStringList{name, ModifiedText(modified, locale_),
                                                  SizeText(bytes, locale_), FormatText(name)});
        row->setData(NameColumn, KeyRole, QStringLiteral("A%1").arg(rows.size()));
        if (modified.isValid())
            row->setData(ModifiedColumn, SortRole, modified.toMSecsSinceEpoch());
        else
            row->setData(ModifiedColumn, SortRole, std::numeric_limits<qint64>::min());
        row->setData(SizeColumn, SortRole, bytes);
        rows.append(row);
    }
    view_->addTopLevelItems(rows);
    if (sorted_ && view_->topLevelItemCount() > 1)
        view_->sortItems(column_, order_);
    showSortIndicator();
    if (view_->topLevelItemCount() > 0)
        view_->setCurrentItem(view_->topLevelItem(0));
    view_->setUpdatesEnabled(updates);
}

void RecordingsList::Refresh() {
    stale_ = true;
    Build();
}

void RecordingsList::ColumnClick(int column) {
    if (column >= 0 && view_->topLevelItemCount() > 1) {
        column_ = column;
        order_ = order_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        sorted_ = true;
        view_->sortItems(column_, order_);
    }
    // The header flips its own indicator on a click; it shows ours.
    showSortIndicator();
}

void RecordingsList::showSortIndicator() {
    QHeaderView* header = view_->header();
    if (sorted_)
        header->setSortIndicator(column_, order_);
    header->setSortIndicatorShown(sorted_);
}

QTreeWidgetItem* RecordingsList::SelectedRecording() const {
    const QList<QTreeWidgetItem*> selected = view_->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QTreeWidgetItem* RecordingsList::CurrentRecording() const {
    if (view_->topLevelItemCount() == 0)
        return nullptr;
    QTreeWidgetItem* selected = SelectedRecording();
    return selected ? selected : view_->topLevelItem(0);
}

bool RecordingsList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && event->type() == QEvent::MouseButtonDblClick) {
        // Blank space below the rows counts too.
        emit playRequested();
        return false;
    }
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~(Qt::KeypadModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!key->isAutoRepeat())
                emit playRequested();
            return true;
        case Qt::Key_Delete:
            if (!key->isAutoRepeat())
                emit deleteRequested();
            return true;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quillotap
