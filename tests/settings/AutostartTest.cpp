#include "TempConfigHome.h"

#include "settings/Autostart.h"
#include "settings/M_Special.h"

#include <QFileInfo>

namespace quillotap::test {
namespace {

struct ExecCase {
    const char* path;
    const char* exec;
};

TEST(AutostartExec, QuotesPathsThatTheExecRulesWouldSplitOrExpand) {
    const ExecCase cases[] = {
        {"/usr/bin/quillotap", "/usr/bin/quillotap /icon"},
        {"/opt/My Apps/quillotap", R"("/opt/My Apps/quillotap" /icon)"},
        {"/opt/it's/q", R"("/opt/it's/q" /icon)"},
        {"/opt/a$HOME/q", R"("/opt/a\$HOME/q" /icon)"},
        {"/opt/a\"b/q", R"("/opt/a\"b/q" /icon)"},
        {"/opt/a\\b/q", R"("/opt/a\\b/q" /icon)"},
        {"/opt/100%/q", "/opt/100%%/q /icon"},
        {"/opt/100% sure/q", R"("/opt/100%% sure/q" /icon)"},
    };
    for (const ExecCase& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(AutostartExec(path), QString::fromUtf8(c.exec)) << c.path;
        EXPECT_EQ(ParseAutostartExec(AutostartExec(path)), QStringList({path, "/icon"})) << c.path;
    }
}

TEST(AutostartExec, ParsingFollowsTheExecRules) {
    EXPECT_EQ(ParseAutostartExec("quillotap  %U /icon %f"), QStringList({"quillotap", "/icon"}));
    EXPECT_EQ(ParseAutostartExec(R"(q "" "a\nb")"), QStringList({"q", "", "a\\nb"}));
    EXPECT_EQ(ParseAutostartExec(R"(q pre"quoted part"post)"),
              QStringList({"q", "prequoted partpost"}));
    EXPECT_EQ(ParseAutostartExec(""), std::nullopt);
    EXPECT_EQ(ParseAutostartExec("   "), std::nullopt);
    EXPECT_EQ(ParseAutostartExec(R"("/opt/My Apps/q /icon)"), std::nullopt);
    EXPECT_EQ(ParseAutostartExec(R"("/opt/q\")"), std::nullopt);
}

class RunKey : public TempConfigHome {
protected:
    const QString run = Registry::runKeyPath();

    long tick(const QString& command) {
        CreateNewKey(HKEY_CURRENT_USER, run);
        return SetKeyValue(HKEY_CURRENT_USER, run, "Quillotap", command, REG_SZ);
    }
    QString stored() { return QueryValue(HKEY_CURRENT_USER, run, "Quillotap").toString(); }
};

TEST_F(RunKey, TickingWritesAnAutostartEntryAndClearingRemovesIt) {
    const QString command = AutostartExec("/opt/My Apps/quillotap");
    ASSERT_EQ(tick(command), ERROR_SUCCESS);

    const QList<QByteArray> lines = readAll(autostartEntryPath()).split('\n');
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), "[Desktop Entry]");
    for (const char* line :
         {"Type=Application", "Name=Quillotap", R"(Exec="/opt/My Apps/quillotap" /icon)",
          "Icon=quillotap", "X-GNOME-Autostart-enabled=true"})
        EXPECT_TRUE(lines.contains(line)) << line;
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const QByteArray& l) { return l.startsWith("Comment="); }));
    EXPECT_EQ(stored(), command);
    EXPECT_FALSE(QFileInfo::exists(hiveFilePath())) << "the Run key is not kept in the hive";

    EXPECT_EQ(DeleteValue(HKEY_CURRENT_USER, run, "Quillotap"), ERROR_SUCCESS);
    EXPECT_FALSE(QFileInfo::exists(autostartEntryPath()));
    EXPECT_EQ(stored(), "");
    EXPECT_EQ(DeleteValue(HKEY_CURRENT_USER, run, "Quillotap"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RunKey, CommandSurvivesTheDesktopFileEscapes) {
    // Backslashes are escaped twice (quoting, then the file's string rules),
    // and blanks at the ends would be trimmed by readers.
    const QString command = AutostartExec("/opt/a\\b/q") + "  ";
    ASSERT_EQ(tick(command), ERROR_SUCCESS);
    EXPECT_TRUE(readAll(autostartEntryPath()).contains(R"(Exec="/opt/a\\\\b/q" /icon \s)"));
    EXPECT_EQ(stored(), command);
    EXPECT_EQ(ParseAutostartExec(stored()), QStringList({"/opt/a\\b/q", "/icon"}));
}

TEST_F(RunKey, DisabledEntriesReadAsMissingAndOtherNamesAreRefused) {
    ASSERT_EQ(tick("/usr/bin/quillotap /icon"), ERROR_SUCCESS);
    QFile file(autostartEntryPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nExec=/usr/bin/quillotap /icon\nHidden=true\n");
    file.close();
    EXPECT_EQ(stored(), "");

    EXPECT_EQ(SetKeyValue(HKEY_CURRENT_USER, run, "OtherApp", "/usr/bin/x", REG_SZ),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetKeyValue(HKEY_CURRENT_USER, run, "Quillotap", 1, REG_DWORD),
              ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(QFileInfo::exists(home_.path() + "/autostart/OtherApp.desktop"));
}

} // namespace
} // namespace quillotap::test
