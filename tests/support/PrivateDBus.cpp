#include "support/PrivateDBus.h"

#include <QFile>

namespace quillotap::test {

PrivateDBus::PrivateDBus() : process_(std::make_unique<QProcess>()) {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder for the bus");
        return;
    }
    const QString config = dir_.filePath(QStringLiteral("bus.conf"));
    const QString socket = dir_.filePath(QStringLiteral("bus"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("cannot write ") + config;
        return;
    }
    // A session-style bus that anyone may use and that launches nothing.
    file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\" "
               "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><listen>unix:path=" +
               QFile::encodeName(socket) +
               "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
               "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
               "<allow own=\"*\"/></policy></busconfig>\n");
    file.close();

    process_->setProgram(QStringLiteral("dbus-daemon"));
    process_->setArguments({QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                            QStringLiteral("--print-address=1")});
    process_->start();
    if (!process_->waitForStarted(5000)) {
        error_ = QStringLiteral("dbus-daemon did not start: ") + process_->errorString();
        return;
    }
    // The daemon prints its address once it listens.
    while (!process_->canReadLine()) {
        if (!process_->waitForReadyRead(5000)) {
            error_ = QStringLiteral("dbus-daemon printed no address");
            return;
        }
    }
    address_ = QString::fromUtf8(process_->readLine()).trimmed();
}

PrivateDBus::~PrivateDBus() {
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000))
            process_->kill();
        process_->waitForFinished(3000);
    }
}

} // namespace quillotap::test
