#include "TempConfigHome.h"

#include "settings/OutputFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillotap::test {
namespace {

class OutputFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(root_.isValid()); }
    QString documents() const { return root_.path() + "/Documents/"; }
    QString fallback() const { return documents() + "Quillotap/"; }
    QString inRoot(const QString& name) const { return root_.path() + "/" + name; }

    void makeDocuments() { ASSERT_TRUE(QDir().mkdir(documents())); }

    QTemporaryDir root_;
};

TEST_F(OutputFolder, MissingOrTooShortTextUsesAndCreatesTheDefault) {
    makeDocuments();
    for (const char* stored : {"", "C:", "/"}) {
        EXPECT_EQ(InitOutputFolder(stored, documents()), fallback()) << stored;
        EXPECT_TRUE(QFileInfo(fallback()).isDir());
    }
}

TEST_F(OutputFolder, ThreeCharactersAreAPath) {
    EXPECT_EQ(InitOutputFolder("../", documents()), "../");
    EXPECT_FALSE(QFileInfo::exists(fallback()));
}

TEST_F(OutputFolder, StoredFolderIsUsedWithATrailingSlash) {
    ASSERT_TRUE(QDir().mkdir(inRoot("rec")));
    EXPECT_EQ(InitOutputFolder(inRoot("rec"), documents()), inRoot("rec/"));
    EXPECT_EQ(InitOutputFolder(inRoot("rec/"), documents()), inRoot("rec/"));
}

TEST_F(OutputFolder, MissingFolderIsCreatedOneLevelDeep) {
    EXPECT_EQ(InitOutputFolder(inRoot("new"), documents()), inRoot("new/"));
    EXPECT_TRUE(QFileInfo(inRoot("new")).isDir());
}

TEST_F(OutputFolder, FailuresFallBackWithoutCreatingAnything) {
    makeDocuments(); // so that an attempt to create the fallback would succeed
    QFile(inRoot("file")).open(QIODevice::WriteOnly);
    for (const QString& stored : {inRoot("no/parent"), inRoot("file")}) {
        EXPECT_EQ(InitOutputFolder(stored, documents()), fallback()) << stored.toStdString();
        EXPECT_FALSE(QFileInfo::exists(inRoot("no")));
        EXPECT_FALSE(QFileInfo::exists(fallback()));
    }
}

TEST(OutputFolderPaths, ChooserStartsInTheFolderWithoutItsSlash) {
    const std::pair<const char*, const char*> cases[] = {
        {"/", "/"}, {"/a/", "/a/"}, {"/ab/", "/ab"}, {"/home/me", "/home/me"}, {"", ""}};
    for (const auto& [text, start] : cases)
        EXPECT_EQ(ChooserStartFolder(text), start) << text;
}

} // namespace
} // namespace quillotap::test
