// The file-manager request: the address it names the file by, and a
// desktop without a session bus, where it must answer at once (so the
// program shows its own sheet) rather than launch a bus of its own.
#include "files/FileProperties.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

TEST(FileProperties, NamesTheFileByAnEncodedFileAddress) {
    EXPECT_EQ(FileProperties::FileUri("/home/me/Music/take 1.mp3"),
              "file:///home/me/Music/take%201.mp3");
    EXPECT_EQ(FileProperties::FileUri(QString::fromUtf8("/tmp/ä#%.wav")),
              "file:///tmp/%C3%A4%23%25.wav");
}

TEST(FileProperties, WithoutASessionBusAnswersAtOnceThatNothingWasShown) {
    const QByteArray saved = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    FileProperties properties;
    int answers = 0;
    bool shown = true;
    properties.Show("/tmp/x.mp3", [&](bool ok, const QString&) {
        ++answers;
        shown = ok;
    });
    EXPECT_EQ(answers, 1);
    EXPECT_FALSE(shown);
    if (!saved.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", saved);
}

} // namespace
} // namespace quillotap::test
