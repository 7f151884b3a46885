#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace quillotap::test {

// A private PulseAudio server for one test program: its own socket, home and
// runtime folders in a temporary folder, a null output "out" (default sink)
// and a 440 Hz sine source "sine" (default source). While it lives,
// PULSE_SERVER points this process at it. pulseaudio is a required test
// dependency: when it is missing or does not come up, ok() is false and
// error() says why, and the tests using it fail.
class PrivatePulse {
public:
    PrivatePulse();
    ~PrivatePulse();
    PrivatePulse(const PrivatePulse&) = delete;
    PrivatePulse& operator=(const PrivatePulse&) = delete;

    bool ok() const { return error_.isEmpty(); }
    QString error() const { return error_; }
    QString server() const { return server_; } // "unix:/…/native"

    // Runs pactl against the server; false when it fails.
    bool pactl(const QStringList& arguments, QString* output = nullptr) const;

private:
    QProcessEnvironment clientEnvironment() const;

    QTemporaryDir dir_;
    QString server_;
    QString error_;
    std::unique_ptr<QProcess> process_;
    QByteArray previousServer_;
    bool hadPreviousServer_ = false;
};

} // namespace quillotap::test
