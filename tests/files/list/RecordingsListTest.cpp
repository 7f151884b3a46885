// The recordings list on its own: which files of the output folder it shows,
// the texts of its cells in different locales, header sorting and the keys
// and clicks that ask for playback or deletion.
#include "files/RecordingsList.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

class RecordingsListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        view_.setColumnCount(4);
        view_.setHeaderLabels({"File name", "Modified", "Size(KB)", "Format"});
        view_.setSelectionMode(QAbstractItemView::SingleSelection);
        view_.resize(500, 300);
        list_ = std::make_unique<RecordingsList>(&view_);
        list_->setFolder(folder_.path() + QLatin1Char('/'));
        list_->setLocale(QLocale::c());
    }

    // A file of `bytes` bytes, last written at `modified` when given.
    void addFile(const QString& name, qint64 bytes, const QDateTime& modified = {}) {
        QFile file(list_->folder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        ASSERT_TRUE(file.resize(bytes));
        if (modified.isValid()) {
            ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
        }
    }

    void rebuild() {
        list_->Refresh();
        ASSERT_FALSE(list_->isStale());
    }

    QStringList column(int c) const {
        QStringList texts;
        for (int i = 0; i < view_.topLevelItemCount(); ++i)
            texts << view_.topLevelItem(i)->text(c);
        return texts;
    }

    void clickHeader(int section) {
        QHeaderView* header = view_.header();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
    }

    QTemporaryDir folder_;
    QTreeWidget view_;
    std::unique_ptr<RecordingsList> list_;
};

TEST(RecordingTexts, SizesRoundToWholeKilobytesWithThousandsSeparators) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(SizeText(0, c), "0");
    EXPECT_EQ(SizeText(511, c), "0");
    EXPECT_EQ(SizeText(512, c), "1");
    EXPECT_EQ(SizeText(1536, c), "2");
    EXPECT_EQ(SizeText(2560, c), "3");
    EXPECT_EQ(SizeText(999 * 1024, c), "999");
    EXPECT_EQ(SizeText(1234 * 1024, c), "1,234");
    EXPECT_EQ(SizeText(Q_INT64_C(1234567) * 1024, c), "1,234,567");
    EXPECT_EQ(SizeText(1234 * 1024, QLocale(QLocale::German, QLocale::Germany)), "1.234");
    EXPECT_EQ(SizeText(1234 * 1024, QLocale(QLocale::French, QLocale::France)),
              QString("1") + QLocale(QLocale::French).groupSeparator() + "234");
}

TEST(RecordingTexts, ModifiedTimeRunsFromYearToSecondWithTheLocaleSeparators) {
    const QDateTime time(QDate(2026, 12, 7), QTime(18, 5, 9));
    EXPECT_EQ(ModifiedText(time, QLocale::c()), "2026/12/07 18:05:09");
    EXPECT_EQ(ModifiedText(time, QLocale(QLocale::English, QLocale::UnitedStates)),
              "2026/12/07 18:05:09");
    EXPECT_EQ(ModifiedText(time, QLocale(QLocale::German, QLocale::Germany)),
              "2026.12.07 18:05:09");
    EXPECT_EQ(ModifiedText(time, QLocale(QLocale::Dutch, QLocale::Netherlands)),
              "2026-12-07 18:05:09");
    EXPECT_EQ(ModifiedText(time, QLocale(QLocale::Finnish, QLocale::Finland)),
              "2026.12.07 18.05.09");
    EXPECT_EQ(ModifiedText(QDateTime(), QLocale::c()), "");
}

TEST(RecordingTexts, OnlyVisibleFilesWithTheSevenExtensionsAreRecordings) {
    for (const char* name : {"a.wav", "a.wma", "a.mp3", "a.vox", "a.ogg", "a.flac", "b.Opus",
                             "Take.MP3", "x.Wav", "two.dots.ogg", "20261207-181541.mp3"})
        EXPECT_TRUE(IsRecordingName(name)) << name;
    for (const char* name :
         {"a.fla", "a.opu", "a.mp3.bak", "mp3", "a.mp", ".hidden.mp3", "a.mp4", "a.wave"})
        EXPECT_FALSE(IsRecordingName(name)) << name;
    EXPECT_EQ(FormatText("take.mp3"), "MP3");
    EXPECT_EQ(FormatText("Take.Vox"), "VOX");
    EXPECT_EQ(FormatText("take.opus"), "OPUS");
}

TEST_F(RecordingsListTest, EmptyFolderGivesAnEmptyListWithoutSelection) {
    addFile("notes.txt", 10);
    rebuild();
    EXPECT_EQ(view_.topLevelItemCount(), 0);
    EXPECT_EQ(list_->CurrentRecording(), nullptr);
    EXPECT_EQ(list_->SelectedRecording(), nullptr);
    EXPECT_TRUE(view_.selectedItems().isEmpty());
    EXPECT_TRUE(view_.updatesEnabled());

    // A folder that cannot be read lists nothing either.
    list_->setFolder(folder_.path() + "/missing/");
    rebuild();
    EXPECT_EQ(view_.topLevelItemCount(), 0);
}

TEST_F(RecordingsListTest, ListsRecordingsWithTheirCellsKeysAndFirstRowSelected) {
    const QDateTime time(QDate(2026, 1, 2), QTime(3, 4, 5));
    addFile("b.mp3", 1536, time);
    addFile("a.wav", 511, time);
    addFile("C.OGG", 1234 * 1024, time);
    addFile("d.vox", 0, time);
    addFile("e.wma", 2048, time);
    addFile("ignored.aiff", 4096);
    addFile("ignored.mp3.part", 4096);
    addFile(".hidden.mp3", 4096);
    ASSERT_TRUE(QDir(list_->folder()).mkdir("folder.mp3"));
    rebuild();

    ASSERT_EQ(view_.topLevelItemCount(), 5);
    EXPECT_EQ(column(0), QStringList({"C.OGG", "a.wav", "b.mp3", "d.vox", "e.wma"}));
    EXPECT_EQ(column(1), QStringList(5, "2026/01/02 03:04:05"));
    EXPECT_EQ(column(2), QStringList({"1,234", "0", "2", "0", "2"}));
    EXPECT_EQ(column(3), QStringList({"OGG", "WAV", "MP3", "VOX", "WMA"}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(view_.topLevelItem(i)->data(0, RecordingsList::KeyRole).toString(),
                  QString("A%1").arg(i));
    EXPECT_EQ(list_->SelectedRecording(), view_.topLevelItem(0));
    EXPECT_EQ(list_->CurrentRecording(), view_.topLevelItem(0));

    // Without a selection the first row is the current recording.
    view_.clearSelection();
    EXPECT_EQ(list_->SelectedRecording(), nullptr);
    EXPECT_EQ(list_->CurrentRecording(), view_.topLevelItem(0));
    view_.topLevelItem(2)->setSelected(true);
    EXPECT_EQ(list_->CurrentRecording(), view_.topLevelItem(2));
}

TEST_F(RecordingsListTest, RebuildsOnlyWhenStale) {
    addFile("a.mp3", 100);
    rebuild();
    addFile("b.mp3", 100);
    list_->Build();
    EXPECT_EQ(view_.topLevelItemCount(), 1);
    list_->invalidate();
    list_->Build();
    EXPECT_EQ(view_.topLevelItemCount(), 2);
    EXPECT_FALSE(list_->isStale());
    QFile::remove(list_->folder() + "a.mp3");
    rebuild();
    EXPECT_EQ(column(0), QStringList({"b.mp3"}));
    EXPECT_EQ(list_->SelectedRecording(), view_.topLevelItem(0));
}

TEST_F(RecordingsListTest, HeaderClicksSortEachColumnAndShareOneFlippingDirection) {
    const QDate day(2026, 3, 1);
    // Names, times, sizes and formats each order the rows differently; the
    // size texts "1,100" < "10" < "2" would mis-sort as text.
    addFile("a.wav", 10 * 1024, QDateTime(day, QTime(12, 0, 0)));
    addFile("B.mp3", 2 * 1024, QDateTime(day.addYears(-1), QTime(23, 0, 0)));
    addFile("c.ogg", 1100 * 1024, QDateTime(day.addDays(1), QTime(1, 0, 0)));
    view_.show();
    rebuild();

    // The first sort is descending; every click flips, whatever the column.
    clickHeader(RecordingsList::NameColumn);
    EXPECT_EQ(list_->sortOrder(), Qt::DescendingOrder);
    EXPECT_EQ(column(0), QStringList({"c.ogg", "B.mp3", "a.wav"}));

    clickHeader(RecordingsList::SizeColumn);
    EXPECT_EQ(list_->sortOrder(), Qt::AscendingOrder);
    EXPECT_EQ(column(0), QStringList({"B.mp3", "a.wav", "c.ogg"}));
    EXPECT_EQ(column(2), QStringList({"2", "10", "1,100"}));

    clickHeader(RecordingsList::SizeColumn);
    EXPECT_EQ(column(2), QStringList({"1,100", "10", "2"}));

    clickHeader(RecordingsList::ModifiedColumn);
    EXPECT_EQ(list_->sortOrder(), Qt::AscendingOrder);
    EXPECT_EQ(column(0), QStringList({"B.mp3", "a.wav", "c.ogg"}));

    clickHeader(RecordingsList::FormatColumn);
    EXPECT_EQ(list_->sortOrder(), Qt::DescendingOrder);
    EXPECT_EQ(column(3), QStringList({"WAV", "OGG", "MP3"}));
    EXPECT_EQ(view_.header()->sortIndicatorSection(), RecordingsList::FormatColumn);
    EXPECT_EQ(view_.header()->sortIndicatorOrder(), Qt::DescendingOrder);

    // A rebuilt list keeps the last sort and selects its first row.
    clickHeader(RecordingsList::SizeColumn);
    addFile("d.mp3", 5 * 1024 * 1024);
    rebuild();
    EXPECT_EQ(column(2), QStringList({"2", "10", "1,100", "5,120"}));
    EXPECT_EQ(list_->SelectedRecording()->text(0), "B.mp3");
}

TEST_F(RecordingsListTest, HeaderClickOnASingleRowChangesNothing) {
    addFile("only.mp3", 100);
    view_.show();
    rebuild();
    clickHeader(RecordingsList::SizeColumn);
    clickHeader(RecordingsList::NameColumn);
    EXPECT_EQ(list_->sortColumn(), -1);
    EXPECT_EQ(list_->sortOrder(), Qt::AscendingOrder);
    EXPECT_FALSE(view_.header()->isSortIndicatorShown());

    // With two rows the first click sorts descending: the clicks before
    // did not flip the direction.
    addFile("other.mp3", 100);
    rebuild();
    clickHeader(RecordingsList::NameColumn);
    EXPECT_EQ(list_->sortOrder(), Qt::DescendingOrder);
    EXPECT_EQ(column(0), QStringList({"other.mp3", "only.mp3"}));
}

TEST_F(RecordingsListTest, DoubleClickAnywhereAndEnterAskForPlaybackDeleteForDeletion) {
    addFile("a.mp3", 100);
    addFile("b.mp3", 100);
    view_.show();
    rebuild();
    QSignalSpy play(list_.get(), &RecordingsList::playRequested);
    QSignalSpy remove(list_.get(), &RecordingsList::deleteRequested);

    const QRect first = view_.visualItemRect(view_.topLevelItem(0));
    QTest::mouseDClick(view_.viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(play.count(), 1);
    // Blank space below the last row.
    QTest::mouseDClick(view_.viewport(), Qt::LeftButton, {},
                       QPoint(10, view_.viewport()->height() - 5));
    EXPECT_EQ(play.count(), 2);

    QTest::keyClick(&view_, Qt::Key_Return);
    QTest::keyClick(&view_, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(play.count(), 4);
    EXPECT_EQ(remove.count(), 0);
    QTest::keyClick(&view_, Qt::Key_Delete);
    EXPECT_EQ(remove.count(), 1);
    EXPECT_EQ(play.count(), 4);
}

} // namespace
} // namespace quillotap::test
