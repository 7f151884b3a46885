// The sleep inhibition against fake login-manager and screen-saver services
// on a private bus.
#include "recording/SleepInhibitor.h"
#include "support/PrivateDBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusUnixFileDescriptor>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace quillotap::test {
namespace {

template <class Condition> bool WaitUntil(Condition done, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Hands out the write end of a pipe as the lock; the lock is held as long as
// the read end sees no end of file.
class FakeLoginManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    ~FakeLoginManager() override {
        for (int fd : readEnds)
            ::close(fd);
    }
    QStringList requests;
    std::vector<int> readEnds;
    bool refuse = false;

    // True while some client still holds lock `index`.
    bool lockHeld(size_t index) const {
        pollfd p{readEnds.at(index), POLLIN, 0};
        return ::poll(&p, 1, 0) == 0;
    }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode) {
        requests << QStringList{what, who, why, mode}.join('|');
        if (refuse) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("not allowed"));
            return {};
        }
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return {};
        readEnds.push_back(ends[0]);
        QDBusUnixFileDescriptor lock(ends[1]); // keeps its own duplicate
        ::close(ends[1]);
        return lock;
    }
};

class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList requests;
    QList<uint> active;
    uint next = 41;

public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        requests << application + '|' + reason;
        active << ++next;
        return next;
    }
    void UnInhibit(uint cookie) { active.removeAll(cookie); }
};

class SleepInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus_.ok()) << bus_.error().toStdString();
        services_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.address(), QStringLiteral("fake-services")));
        ASSERT_TRUE(services_->isConnected());
        client_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.address(), QStringLiteral("client")));
        ASSERT_TRUE(client_->isConnected());
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-services"));
    }

    void offerLoginManager() {
        ASSERT_TRUE(services_->registerService(QStringLiteral("org.freedesktop.login1")));
        ASSERT_TRUE(services_->registerObject(QStringLiteral("/org/freedesktop/login1"), &login_,
                                              QDBusConnection::ExportAllSlots));
    }
    void offerScreenSaver() {
        ASSERT_TRUE(services_->registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
        ASSERT_TRUE(services_->registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                              &screenSaver_, QDBusConnection::ExportAllSlots));
    }
    std::unique_ptr<SleepInhibitor> makeInhibitor() {
        return std::make_unique<SleepInhibitor>(*client_, *client_);
    }

    PrivateDBus bus_;
    std::unique_ptr<QDBusConnection> services_;
    std::unique_ptr<QDBusConnection> client_;
    FakeLoginManager login_;
    FakeScreenSaver screenSaver_;
};

TEST_F(SleepInhibitorTest, HoldsBothRequestsWhileInhibitedAndReturnsThemOnRelease) {
    offerLoginManager();
    offerScreenSaver();
    auto inhibitor = makeInhibitor();

    inhibitor->inhibit(QStringLiteral("Recording in progress"));
    ASSERT_TRUE(WaitUntil(
        [&] { return inhibitor->holdsLoginLock() && inhibitor->holdsScreenSaverCookie(); }));
    EXPECT_EQ(login_.requests,
              QStringList{QStringLiteral("sleep:idle|Quillotap|Recording in progress|block")});
    EXPECT_EQ(screenSaver_.requests,
              QStringList{QStringLiteral("Quillotap|Recording in progress")});
    EXPECT_TRUE(login_.lockHeld(0));
    EXPECT_EQ(screenSaver_.active.size(), 1);

    // A second start while held asks nothing more.
    inhibitor->inhibit(QStringLiteral("again"));
    QCoreApplication::processEvents();
    EXPECT_EQ(login_.requests.size(), 1);

    inhibitor->release();
    EXPECT_FALSE(inhibitor->isRequested());
    // The descriptor closes once the answer that carried it is gone too.
    EXPECT_TRUE(WaitUntil([&] { return !login_.lockHeld(0); }));
    ASSERT_TRUE(WaitUntil([&] { return screenSaver_.active.isEmpty(); }));

    // The next recording asks afresh.
    inhibitor->inhibit(QStringLiteral("Recording in progress"));
    ASSERT_TRUE(WaitUntil([&] { return inhibitor->holdsLoginLock(); }));
    EXPECT_EQ(login_.requests.size(), 2);
    inhibitor.reset(); // quitting releases too
    EXPECT_TRUE(WaitUntil([&] { return !login_.lockHeld(1); }));
    ASSERT_TRUE(WaitUntil([&] { return screenSaver_.active.isEmpty(); }));
}

TEST_F(SleepInhibitorTest, AnswersArrivingAfterTheReleaseAreGivenBack) {
    offerLoginManager();
    offerScreenSaver();
    auto inhibitor = makeInhibitor();
    inhibitor->inhibit(QStringLiteral("short"));
    inhibitor->release(); // before either service had a chance to answer
    ASSERT_TRUE(WaitUntil([&] { return login_.requests.size() == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return screenSaver_.requests.size() == 1; }));
    EXPECT_TRUE(WaitUntil([&] { return screenSaver_.active.isEmpty(); }));
    EXPECT_TRUE(WaitUntil([&] { return !login_.lockHeld(0); }));
    EXPECT_FALSE(inhibitor->holdsLoginLock());
    EXPECT_FALSE(inhibitor->holdsScreenSaverCookie());

    // The program quitting while both requests are on their way.
    inhibitor->inhibit(QStringLiteral("quit at once"));
    inhibitor.reset();
    ASSERT_TRUE(WaitUntil([&] { return screenSaver_.requests.size() == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return screenSaver_.active.isEmpty(); }));
    ASSERT_TRUE(WaitUntil([&] { return login_.readEnds.size() == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return !login_.lockHeld(1); }));
}

TEST_F(SleepInhibitorTest, EitherServiceAloneIsEnoughAndARefusalIsQuiet) {
    {
        // Only a desktop screen saver, no login manager on the bus.
        offerScreenSaver();
        auto inhibitor = makeInhibitor();
        inhibitor->inhibit(QStringLiteral("r"));
        ASSERT_TRUE(WaitUntil([&] { return inhibitor->holdsScreenSaverCookie(); }));
        EXPECT_FALSE(inhibitor->holdsLoginLock());
        inhibitor->release();
        ASSERT_TRUE(WaitUntil([&] { return screenSaver_.active.isEmpty(); }));
    }
    {
        // A login manager whose policy refuses.
        login_.refuse = true;
        offerLoginManager();
        auto inhibitor = makeInhibitor();
        int answers = 0;
        QObject::connect(inhibitor.get(), &SleepInhibitor::answered, [&] { ++answers; });
        inhibitor->inhibit(QStringLiteral("r"));
        ASSERT_TRUE(WaitUntil([&] { return answers == 2; }));
        EXPECT_FALSE(inhibitor->holdsLoginLock());
        EXPECT_TRUE(inhibitor->holdsScreenSaverCookie());
    }
}

TEST(SleepInhibitorWithoutBus, DoesNothingWithoutAnyBus) {
    SleepInhibitor inhibitor(QDBusConnection(QStringLiteral("none")),
                             QDBusConnection(QStringLiteral("none")));
    inhibitor.inhibit(QStringLiteral("r"));
    EXPECT_TRUE(inhibitor.isRequested());
    inhibitor.release();
    EXPECT_FALSE(inhibitor.isRequested());
}

} // namespace
} // namespace quillotap::test

#include "SleepInhibitorTest.moc"
