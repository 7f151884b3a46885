// The hive file survives the program being killed at any moment of a save:
// after every kill it holds either the settings before the interrupted save
// or those after it, never a torn or empty file.
#include "settings/Registry.h"
#include "settings/RegistryHive.h"
#include "settings/Settings.h"
#include "settings/TempConfigHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <csignal>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace quillotap::test {
namespace {

class HiveKillTest : public TempConfigHome {};

// Each save writes the counter into two values, and a long value grows with
// it, so a torn file would show up as a mismatch or a parse failure.
void SaveGeneration(int generation) {
    const QString n = QString::number(generation);
    WriteSetting(QStringLiteral("First"), n);
    WriteSetting(QStringLiteral("Filler"), QString(200 + generation % 500, QLatin1Char('x')));
    WriteSetting(QStringLiteral("Second"), n);
}

TEST_F(HiveKillTest, EveryKillLeavesAWholeHive) {
    SaveGeneration(0);
    const QString hive = hiveFilePath();
    ASSERT_TRUE(QFile::exists(hive));

    auto* random = QRandomGenerator::global();
    int generation = 0;
    int killedMidway = 0;
    int secondSeen = 0;
    for (int round = 0; round < 60; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves forever until killed.
            for (int g = generation;; ++g)
                SaveGeneration(g);
        }
        // Kill it after a random few milliseconds (the saves run all the
        // time, so the kill lands anywhere inside one).
        const timespec pause{0, long(random->bounded(1000, 15000)) * 1000};
        nanosleep(&pause, nullptr);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        QFile file(hive);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "round " << round;
        const QByteArray text = file.readAll();
        RegistryHive::ParseError error;
        const auto parsed = RegistryHive::parse(text, &error);
        ASSERT_TRUE(parsed) << "round " << round << ": " << error.message.toStdString();
        const auto first = parsed->value(QString::fromLatin1(kProgramKey), QStringLiteral("First"));
        const auto second =
            parsed->value(QString::fromLatin1(kProgramKey), QStringLiteral("Second"));
        ASSERT_TRUE(first && second) << "round " << round;
        const int a = QString::fromUtf8(first->data).toInt();
        const int b = QString::fromUtf8(second->data).toInt();
        // Within one save, First may be one generation ahead of Second.
        EXPECT_TRUE(a == b || a == b + 1) << "round " << round << ": " << a << " / " << b;
        EXPECT_GE(b, secondSeen) << "round " << round;
        secondSeen = b;
        if (a != b)
            ++killedMidway;
        generation = a;
        // The next child starts by finishing the save it finds on the disk.
        Registry::instance().reload();
    }
    RecordProperty("killed_between_two_values", killedMidway);

    // Interrupted saves may leave their temporary files; the next start
    // clears them away and keeps the hive and the set-aside copies.
    QFile::copy(hive, hive + QStringLiteral(".bad.12"));
    Registry::instance().reload();
    EXPECT_EQ(ReadSetting(QStringLiteral("First")), QString::number(generation));
    const QStringList left = QDir(QFileInfo(hive).path()).entryList(QDir::Files);
    EXPECT_EQ(left, (QStringList{QStringLiteral("user.reg"), QStringLiteral("user.reg.bad.12")}));
}

} // namespace
} // namespace quillotap::test
