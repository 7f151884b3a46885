#include "support/PrivatePulse.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QThread>

namespace quillotap::test {

namespace {

constexpr int kStartTimeoutMs = 20000;

} // namespace

PrivatePulse::PrivatePulse() {
    hadPreviousServer_ = qEnvironmentVariableIsSet("PULSE_SERVER");
    previousServer_ = qgetenv("PULSE_SERVER");
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty()) {
        error_ = QStringLiteral("pulseaudio is not installed; it is required by these tests "
                                "(scripts/install-deps.sh installs it)");
        return;
    }
    if (!dir_.isValid()) {
        error_ = QStringLiteral("cannot create a temporary folder");
        return;
    }
    const QDir root(dir_.path());
    root.mkpath(QStringLiteral("home"));
    root.mkpath(QStringLiteral("runtime"));
    const QString socket = root.filePath(QStringLiteral("native"));
    server_ = QStringLiteral("unix:") + socket;

    QProcessEnvironment environment = clientEnvironment();
    environment.remove(QStringLiteral("PULSE_SERVER"));
    process_ = std::make_unique<QProcess>();
    process_->setProcessEnvironment(environment);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setStandardOutputFile(root.filePath(QStringLiteral("server.log")));
    // --system=no: as root the server warns that it is meant for users, and
    // runs as a per-user server all the same.
    process_->start(
        program, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                  QStringLiteral("--system=no"), QStringLiteral("--exit-idle-time=-1"),
                  QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
                  QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
                  QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket,
                  QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=out"),
                  QStringLiteral("-L"),
                  QStringLiteral("module-sine-source source_name=sine frequency=440")});
    if (!process_->waitForStarted(kStartTimeoutMs)) {
        error_ = QStringLiteral("pulseaudio did not start: ") + process_->errorString();
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!pactl({QStringLiteral("info")})) {
        if (process_->state() != QProcess::Running || deadline.hasExpired()) {
            error_ = QStringLiteral("pulseaudio did not answer on ") + server_ +
                     QStringLiteral("; see ") + root.filePath(QStringLiteral("server.log"));
            dir_.setAutoRemove(false);
            return;
        }
        QThread::msleep(50);
    }
    if (!pactl({QStringLiteral("set-default-source"), QStringLiteral("sine")}) ||
        !pactl({QStringLiteral("set-default-sink"), QStringLiteral("out")})) {
        error_ = QStringLiteral("cannot set the default source and sink");
        return;
    }
    qputenv("PULSE_SERVER", server_.toUtf8());
}

PrivatePulse::~PrivatePulse() {
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(5000)) {
            process_->kill();
            process_->waitForFinished(5000);
        }
    }
    if (hadPreviousServer_)
        qputenv("PULSE_SERVER", previousServer_);
    else
        qunsetenv("PULSE_SERVER");
}

QProcessEnvironment PrivatePulse::clientEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QDir root(dir_.path());
    environment.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"),
                       root.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("PULSE_SERVER"), server_);
    return environment;
}

bool PrivatePulse::pactl(const QStringList& arguments, QString* output) const {
    QProcess process;
    process.setProcessEnvironment(clientEnvironment());
    process.start(QStringLiteral("pactl"), arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace quillotap::test
