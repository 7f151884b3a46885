#include "support/PrivatePortal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>

#ifndef QUILLOTAP_TEST_SUPPORT_DIR
#error "QUILLOTAP_TEST_SUPPORT_DIR names tests/support"
#endif

namespace quillotap::test {

namespace {

const QString kBackEndName = QStringLiteral("org.freedesktop.impl.portal.desktop.quillotaptest");
const QString kControlPath = QStringLiteral("/org/quillotap/TestPortal");
const QString kControlInterface = QStringLiteral("org.quillotap.TestPortal");
const QString kFrontEnd = QStringLiteral("/usr/libexec/xdg-desktop-portal");
const QString kControlConnection = QStringLiteral("quillotap-test-portal-control");

QString portalFolder() {
    return QStringLiteral(QUILLOTAP_TEST_SUPPORT_DIR "/portal");
}

// The Debian interpreter, which has python3-dbus and python3-gi; a python3
// earlier on the PATH may lack them.
QString python() {
    const QString debian = QStringLiteral("/usr/bin/python3");
    return QFileInfo(debian).isExecutable() ? debian : QStringLiteral("python3");
}

// Waits (without an event loop: nothing else runs yet) until `ready` holds.
template <class Condition> bool Await(Condition ready, int ms) {
    QDeadlineTimer deadline(ms);
    while (!ready()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

void stop(std::unique_ptr<QProcess>& process) {
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(3000))
        process->kill();
    process->waitForFinished(3000);
}

} // namespace

PrivatePortal::PrivatePortal(Mode mode) {
    if (!bus_.ok()) {
        error_ = bus_.error();
        return;
    }
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder for the portal");
        return;
    }
    if (mode == WithoutPortal)
        return;
    if (startBackEnd())
        startFrontEnd();
}

PrivatePortal::~PrivatePortal() {
    stop(frontEnd_);
    stop(backEnd_);
    for (const QString& name : connections_)
        QDBusConnection::disconnectFromBus(name);
    QDBusConnection::disconnectFromBus(kControlConnection);
}

bool PrivatePortal::startBackEnd() {
    const QString ready = dir_.filePath(QStringLiteral("backend.ready"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_.address());
    backEnd_ = std::make_unique<QProcess>();
    backEnd_->setProcessEnvironment(env);
    backEnd_->setProcessChannelMode(QProcess::MergedChannels);
    backEnd_->setStandardOutputFile(dir_.filePath(QStringLiteral("backend.log")));
    backEnd_->start(python(), {portalFolder() + QStringLiteral("/global_shortcuts_backend.py"),
                               QStringLiteral("--ready-file"), ready});
    if (!backEnd_->waitForStarted(5000)) {
        error_ = QStringLiteral("the portal back end did not start: ") + backEnd_->errorString();
        return false;
    }
    if (!Await(
            [&] {
                return QFileInfo(ready).size() > 0 || backEnd_->state() == QProcess::NotRunning;
            },
            10000) ||
        QFileInfo(ready).size() == 0) {
        error_ = QStringLiteral("the portal back end did not come up: ") + log();
        return false;
    }
    return true;
}

bool PrivatePortal::startFrontEnd() {
    if (!QFileInfo(kFrontEnd).isExecutable()) {
        error_ = QStringLiteral("missing ") + kFrontEnd + QStringLiteral(" (xdg-desktop-portal)");
        return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_.address());
    env.insert(QStringLiteral("XDG_DESKTOP_PORTAL_DIR"), portalFolder());
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("quillotap-test"));
    frontEnd_ = std::make_unique<QProcess>();
    frontEnd_->setProcessEnvironment(env);
    frontEnd_->setProcessChannelMode(QProcess::MergedChannels);
    frontEnd_->setStandardOutputFile(dir_.filePath(QStringLiteral("frontend.log")));
    frontEnd_->start(kFrontEnd, {});
    if (!frontEnd_->waitForStarted(5000)) {
        error_ = QStringLiteral("xdg-desktop-portal did not start: ") + frontEnd_->errorString();
        return false;
    }
    // Up once its GlobalShortcuts interface answers.
    QDBusConnection probe = connect(QStringLiteral("quillotap-test-portal-probe"));
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments(
        {QStringLiteral("org.freedesktop.portal.GlobalShortcuts"), QStringLiteral("version")});
    const bool up = Await(
        [&] {
            return frontEnd_->state() == QProcess::NotRunning ||
                   probe.call(get, QDBus::Block, 1000).type() == QDBusMessage::ReplyMessage;
        },
        15000);
    if (!up || frontEnd_->state() == QProcess::NotRunning) {
        QFile frontLog(dir_.filePath(QStringLiteral("frontend.log")));
        frontLog.open(QIODevice::ReadOnly);
        error_ = QStringLiteral("the GlobalShortcuts portal did not come up: ") +
                 QString::fromUtf8(frontLog.readAll().right(2000));
        return false;
    }
    return true;
}

QDBusConnection PrivatePortal::connect(const QString& name) {
    if (!connections_.contains(name))
        connections_ << name;
    return QDBusConnection::connectToBus(bus_.address(), name);
}

QString PrivatePortal::log() const {
    QFile file(dir_.filePath(QStringLiteral("backend.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll().right(2000))
                                          : QString();
}

bool PrivatePortal::control(const QString& method, const QList<QVariant>& arguments,
                            QList<QVariant>* reply) {
    QDBusConnection bus = QDBusConnection::connectToBus(bus_.address(), kControlConnection);
    QDBusMessage call =
        QDBusMessage::createMethodCall(kBackEndName, kControlPath, kControlInterface, method);
    call.setArguments(arguments);
    const QDBusMessage answer = bus.call(call, QDBus::Block, 5000);
    if (answer.type() != QDBusMessage::ReplyMessage)
        return false;
    if (reply)
        *reply = answer.arguments();
    return true;
}

bool PrivatePortal::activate(const QString& id) {
    return control(QStringLiteral("Activate"), {id});
}

bool PrivatePortal::deactivate(const QString& id) {
    return control(QStringLiteral("Deactivate"), {id});
}

bool PrivatePortal::press(const QString& id) {
    return control(QStringLiteral("Press"), {id});
}

bool PrivatePortal::setTrigger(const QString& id, const QString& description) {
    return control(QStringLiteral("SetTrigger"), {id, description});
}

bool PrivatePortal::setBindResponse(uint response) {
    return control(QStringLiteral("SetBindResponse"), {response});
}

bool PrivatePortal::leaveOut(const QString& id) {
    return control(QStringLiteral("Leave"), {id});
}

int PrivatePortal::bindCount() {
    QList<QVariant> reply;
    return control(QStringLiteral("BindCount"), {}, &reply) ? reply.value(0).toInt() : -1;
}

PortalShortcutList PrivatePortal::bound() {
    QList<QVariant> reply;
    PortalShortcutList shortcuts;
    if (!control(QStringLiteral("Bound"), {}, &reply))
        return shortcuts;
    const QDBusArgument list = reply.value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString id;
        QVariantMap properties;
        list.beginStructure();
        list >> id >> properties;
        list.endStructure();
        shortcuts.append({id, properties.value(QStringLiteral("description")).toString(),
                          properties.value(QStringLiteral("preferred_trigger")).toString()});
    }
    list.endArray();
    return shortcuts;
}

QStringList PrivatePortal::calls() {
    QList<QVariant> reply;
    return control(QStringLiteral("Calls"), {}, &reply) ? reply.value(0).toStringList()
                                                        : QStringList();
}

} // namespace quillotap::test
