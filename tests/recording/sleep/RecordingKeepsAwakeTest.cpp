// A recording started and stopped in the window holds the desktop's
// screen-saver inhibition exactly as long as it runs.
#include "app/AppFixture.h"
#include "support/PrivateDBus.h"

#include <QDBusConnection>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quillotap::test {
namespace {

class CountingScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    int held = 0;
    int granted = 0;

public slots:
    uint Inhibit(const QString&, const QString&) {
        ++held;
        return ++granted;
    }
    void UnInhibit(uint) { --held; }
};

class RecordingKeepsAwakeTest : public AppFixture {};

TEST_F(RecordingKeepsAwakeTest, TheInhibitionLastsFromRecordToStop) {
    // The window talks to "the session bus": point it at a private one before
    // anything in this program opens it.
    static PrivateDBus bus;
    ASSERT_TRUE(bus.ok()) << bus.error().toStdString();
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    CountingScreenSaver screenSaver;
    QDBusConnection service =
        QDBusConnection::connectToBus(bus.address(), QStringLiteral("screen-saver"));
    ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &screenSaver,
                                       QDBusConnection::ExportAllSlots));

    start();
    ASSERT_TRUE(started_);
    QApplication::processEvents();
    EXPECT_EQ(screenSaver.granted, 0) << "the preview alone keeps nothing awake";

    control<QPushButton>("CmdRecord")->click();
    ASSERT_TRUE(form().recordingSession().isRecording());
    ASSERT_TRUE(WaitFor([&] { return screenSaver.held == 1; }));

    control<QPushButton>("CmdStopRecord")->click();
    ASSERT_FALSE(form().recordingSession().isRecording());
    EXPECT_TRUE(WaitFor([&] { return screenSaver.held == 0; }));
    EXPECT_EQ(screenSaver.granted, 1);
    close();
    QDBusConnection::disconnectFromBus(QStringLiteral("screen-saver"));
}

} // namespace
} // namespace quillotap::test

#include "RecordingKeepsAwakeTest.moc"
