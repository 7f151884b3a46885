#include "TempConfigHome.h"

#include "settings/M_Special.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace quillotap::test {
namespace {

const QString kKey = QString::fromLatin1(kProgramKey);

class SettingsStore : public TempConfigHome {
protected:
    // Stores a value the way another tool might have left it.
    static void storeRaw(const QString& name, const RegValue& value) {
        RegKey key;
        ASSERT_EQ(Registry::instance().createKey(kKey), ERROR_SUCCESS);
        ASSERT_EQ(Registry::instance().openKey(kKey, &key), ERROR_SUCCESS);
        ASSERT_EQ(Registry::instance().setValue(key, name, value), ERROR_SUCCESS);
    }
};

struct StoredText {
    const char* what;
    std::optional<RegValue> stored;
    QString read;
};

TEST_F(SettingsStore, ReadSettingTurnsWhatIsStoredIntoText) {
    const StoredText cases[] = {
        {"missing", std::nullopt, ""},
        {"empty", RegValue::text(""), ""},
        {"plain", RegValue::text("CA+R"), "CA+R"},
        {"leading NUL", RegValue::text(QByteArray("\0abc", 4)), ""},
        {"trailing NUL", RegValue::text(QByteArray("Yes\0", 4)), "Yes"},
        {"two trailing NULs", RegValue::text(QByteArray("Yes\0\0", 5)),
         QString::fromLatin1("Yes\0", 4)},
        {"NUL inside", RegValue::text(QByteArray("a\0b", 3)), QString::fromLatin1("a\0b", 3)},
        {"dword", RegValue::dword(600), "600"},
        {"negative dword", RegValue::dword(0xffffffffu), "-1"},
        {"binary", RegValue{REG_BINARY, "12"}, ""},
    };
    int n = 0;
    for (const StoredText& c : cases) {
        const QString name = QStringLiteral("Value%1").arg(n++);
        if (c.stored)
            storeRaw(name, *c.stored);
        EXPECT_EQ(ReadSetting(name), c.read) << c.what;
    }
}

TEST_F(SettingsStore, WriteSettingStoresTextAndReplacesOtherTypes) {
    storeRaw("MaxSize", RegValue::dword(10));
    WriteSetting("MaxSize", "2048");
    WriteSetting("ID3_Title", QString::fromUtf8("Grüße \"live\""));
    WriteSetting("Cut", QString::fromLatin1("ab\0cd", 5));

    Registry::instance().reload();
    RegKey key;
    ASSERT_EQ(Registry::instance().openKey(kKey, &key), ERROR_SUCCESS);
    RegValue value;
    ASSERT_EQ(Registry::instance().queryValue(key, "MaxSize", &value), ERROR_SUCCESS);
    EXPECT_EQ(value, RegValue::text("2048"));
    EXPECT_EQ(ReadSetting("ID3_Title"), QString::fromUtf8("Grüße \"live\""));
    EXPECT_EQ(ReadSetting("Cut"), "ab"); // the stored text ends at the first NUL
}

TEST_F(SettingsStore, HelpersReturnRegistryCodes) {
    QVariant value = 5;
    RegKey key;
    EXPECT_EQ(Registry::instance().openKey(kKey, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SetKeyValue(HKEY_CURRENT_USER, kKey, "a", "x", REG_SZ), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(DeleteValue(HKEY_CURRENT_USER, kKey, "a"), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(QFileInfo::exists(hiveFilePath()));

    ASSERT_EQ(CreateNewKey(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    ASSERT_EQ(Registry::instance().openKey(kKey, &key), ERROR_SUCCESS);
    EXPECT_EQ(QueryValueEx(key, "a", value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, QVariant(QString()));

    EXPECT_EQ(SetValueEx(key, "n", REG_DWORD, -1), ERROR_SUCCESS);
    EXPECT_EQ(QueryValueEx(key, "n", value), ERROR_SUCCESS);
    EXPECT_EQ(value, QVariant(qint32(-1)));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kKey, "n").toString(), "-1");

    EXPECT_EQ(SetValueEx(key, "b", REG_BINARY, "x"), ERROR_INVALID_PARAMETER);
    storeRaw("b", RegValue{REG_BINARY, "x"});
    value = 5;
    EXPECT_EQ(QueryValueEx(key, "b", value), -1);
    EXPECT_EQ(value, QVariant(QString()));

    EXPECT_EQ(DeleteValue(HKEY_CURRENT_USER, kKey, "n"), ERROR_SUCCESS);
    EXPECT_EQ(DeleteValue(HKEY_CURRENT_USER, kKey, "n"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CreateNewKey(HKEY_CURRENT_USER, "Bad\\\\Path"), ERROR_INVALID_PARAMETER);
}

TEST_F(SettingsStore, FolderExistsChecksWithoutMovingTheCurrentFolder) {
    const QString cwd = QDir::currentPath();
    const QString folder = home_.path() + "/rec";
    const QString file = home_.path() + "/file";
    ASSERT_TRUE(QDir().mkdir(folder));
    QFile(file).open(QIODevice::WriteOnly);

    EXPECT_TRUE(FolderExists(folder));
    EXPECT_TRUE(FolderExists(folder + "/"));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(home_.path() + "/missing"));
    EXPECT_FALSE(FolderExists(""));
    if (!runningAsRoot()) {
        QFile::setPermissions(folder, QFileDevice::ReadOwner);
        EXPECT_FALSE(FolderExists(folder)) << "a folder without search permission";
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }
    EXPECT_EQ(QDir::currentPath(), cwd);
}

TEST_F(SettingsStore, AWriteThatCannotReachTheDiskIsReportedOnceUntilOneSucceeds) {
    QStringList reports;
    auto reporter = std::make_unique<SettingsFailureReporter>(
        [&](const QString& message) { reports << message; });
    WriteSetting("A", "1");
    ASSERT_TRUE(reports.isEmpty());

    // A file where the settings folder must be: no write can succeed,
    // whoever runs the test.
    const QString folder = QFileInfo(hiveFilePath()).absolutePath();
    const auto blockFolder = [&] {
        ASSERT_TRUE(QDir(folder).removeRecursively());
        QFile blocker(folder);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    };
    blockFolder();
    WriteSetting("A", "2");
    WriteSetting("B", "3");
    {
        SettingsWriteGroup group;
        WriteSetting("C", "4");
    }
    ASSERT_EQ(reports.size(), 1) << reports.join('\n').toStdString();
    EXPECT_TRUE(reports[0].startsWith("The settings could not be saved: "))
        << reports[0].toStdString();
    EXPECT_TRUE(reports[0].contains(folder)) << reports[0].toStdString();
    // Nothing that failed counts as stored.
    EXPECT_EQ(ReadSetting("A"), "1");
    EXPECT_EQ(ReadSetting("B"), "");
    EXPECT_EQ(ReadSetting("C"), "");

    // Once a write gets through again, the next failure is news again.
    ASSERT_TRUE(QFile::remove(folder));
    WriteSetting("A", "5");
    EXPECT_EQ(ReadSetting("A"), "5");
    EXPECT_EQ(reports.size(), 1);
    blockFolder();
    WriteSetting("A", "6");
    EXPECT_EQ(reports.size(), 2);

    // Without a reporter a failure is only its result.
    reporter.reset();
    ASSERT_TRUE(QFile::remove(folder));
    WriteSetting("A", "7");
    blockFolder();
    WriteSetting("A", "8");
    EXPECT_EQ(reports.size(), 2);
    EXPECT_EQ(ReadSetting("A"), "7");

    // Reporters that go out of order leave none of them reporting.
    QStringList first;
    QStringList second;
    auto a = std::make_unique<SettingsFailureReporter>([&](const QString& m) { first << m; });
    auto b = std::make_unique<SettingsFailureReporter>([&](const QString& m) { second << m; });
    a.reset();
    b.reset(); // puts back the handler of a, which has gone
    WriteSetting("A", "9");
    EXPECT_TRUE(first.isEmpty());
    EXPECT_TRUE(second.isEmpty());
}

} // namespace
} // namespace quillotap::test
