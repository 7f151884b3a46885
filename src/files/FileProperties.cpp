#include "files/FileProperties.h"

#include "settings/DesktopSessionBus.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QUrl>

namespace quillotap {

FileProperties::FileProperties(QObject* parent) : QObject(parent) {}

QDBusConnection FileProperties::bus() {
    if (!bus_)
        bus_ = DesktopSessionBus();
    return *bus_;
}

QString FileProperties::FileUri(const QString& path) {
    return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
}

void FileProperties::Show(const QString& path, Answer answered) {
    QDBusConnection connection = bus();
    if (!connection.isConnected()) {
        const QString reason =
            connection.lastError().isValid()
                ? connection.lastError().message()
                : QCoreApplication::translate("quillotap::FileProperties", "No session bus");
        answered(false, reason);
        return;
    }
    QDBusMessage request = QDBusMessage::createMethodCall(
        QString::fromLatin1(Service), QString::fromLatin1(Path), QString::fromLatin1(Interface),
        QStringLiteral("ShowItemProperties"));
    request << QStringList{FileUri(path)} << QString();
    auto* watcher =
        new QDBusPendingCallWatcher(connection.asyncCall(request, ReplyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [answered = std::move(answered)](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<> reply = *call;
                if (reply.isError())
                    answered(false, reply.error().message());
                else
                    answered(true, QString());
            });
}

} // namespace quillotap
