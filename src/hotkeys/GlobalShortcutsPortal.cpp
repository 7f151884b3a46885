#include "hotkeys/GlobalShortcutsPortal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace quillotap {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

// One element of the portal's a(sa{sv}) shortcut lists, as it goes over
// the bus.
struct WireShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const WireShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, WireShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace
} // namespace quillotap

Q_DECLARE_METATYPE(quillotap::WireShortcut)

namespace quillotap {

namespace {

void registerTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<WireShortcut>();
        qDBusRegisterMetaType<QList<WireShortcut>>();
        return true;
    }();
    (void)registered;
}

// A value taken out of a variant map or a message: plain, or still wrapped
// as the bus delivered it.
QVariant unwrap(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return value.value<QDBusVariant>().variant();
    return value;
}

QVariantMap toMap(const QVariant& value) {
    const QVariant plain = unwrap(value);
    if (plain.metaType() == QMetaType::fromType<QDBusArgument>())
        return qdbus_cast<QVariantMap>(plain.value<QDBusArgument>());
    return plain.toMap();
}

QString toText(const QVariant& value) {
    const QVariant plain = unwrap(value);
    if (plain.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return plain.value<QDBusObjectPath>().path();
    return plain.toString();
}

// The shortcuts of an a(sa{sv}) value with their trigger descriptions.
PortalShortcutList toShortcuts(const QVariant& value) {
    const QVariant plain = unwrap(value);
    QList<WireShortcut> wire;
    if (plain.metaType() == QMetaType::fromType<QDBusArgument>())
        wire = qdbus_cast<QList<WireShortcut>>(plain.value<QDBusArgument>());
    else
        wire = plain.value<QList<WireShortcut>>();
    PortalShortcutList shortcuts;
    for (const WireShortcut& item : wire) {
        shortcuts.append({item.id, toText(item.properties.value(QStringLiteral("description"))),
                          toText(item.properties.value(QStringLiteral("trigger_description")))});
    }
    return shortcuts;
}

} // namespace

GlobalShortcutsPortal::GlobalShortcutsPortal(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {
    registerTypes();
}

GlobalShortcutsPortal::~GlobalShortcutsPortal() {
    closeSession();
    for (auto it = requests_.cbegin(); it != requests_.cend(); ++it)
        bus_.disconnect(kService, it.key(), kRequest, QStringLiteral("Response"), this,
                        SLOT(onResponse(QDBusMessage)));
}

void GlobalShortcutsPortal::open() {
    if (opening_ || isOpen())
        return;
    if (!bus_.isConnected()) {
        // Told from the event loop, like every other answer.
        QMetaObject::invokeMethod(
            this,
            [this] {
                emit missing(tr("There is no D-Bus session bus to reach the desktop's shortcut "
                                "service."));
            },
            Qt::QueuedConnection);
        return;
    }
    opening_ = true;
    QDBusMessage probe = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    probe.setArguments({kInterface, QStringLiteral("version")});
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(probe), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (call->isError()) {
                    opening_ = false;
                    emit missing(tr("The desktop offers no global shortcut service (the "
                                    "GlobalShortcuts portal)."));
                    return;
                }
                createSession();
            });
}

void GlobalShortcutsPortal::createSession() {
    // The shortcut signals go to this connection alone; listening before the
    // session exists loses none of them.
    const struct {
        const char* signal;
        const char* slot;
    } subscriptions[] = {
        {"Activated", SLOT(onActivated(QDBusMessage))},
        {"Deactivated", SLOT(onDeactivated(QDBusMessage))},
        {"ShortcutsChanged", SLOT(onShortcutsChanged(QDBusMessage))},
    };
    for (const auto& subscription : subscriptions) {
        const QString signal = QString::fromLatin1(subscription.signal);
        bus_.disconnect(kService, kPath, kInterface, signal, this, subscription.slot);
        bus_.connect(kService, kPath, kInterface, signal, this, subscription.slot);
    }
    const QString token = nextToken();
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("session_handle_token"), token}};
    request(QStringLiteral("CreateSession"), {options}, token,
            [this](uint response, const QVariantMap& results, const QString& error) {
                opening_ = false;
                const QString session = toText(results.value(QStringLiteral("session_handle")));
                if (!error.isEmpty() || response != 0 || session.isEmpty()) {
                    emit failed(
                        tr("The desktop's shortcut service did not open a session%1.")
                            .arg(error.isEmpty() ? QString() : QStringLiteral(": ") + error));
                    return;
                }
                session_ = session;
                emit opened();
                if (wanted_)
                    sendBind();
            });
}

void GlobalShortcutsPortal::bind(const PortalShortcutList& shortcuts) {
    wanted_ = shortcuts;
    if (isOpen() && !binding_)
        sendBind();
}

void GlobalShortcutsPortal::sendBind() {
    if (!wanted_)
        return;
    const PortalShortcutList shortcuts = *std::exchange(wanted_, std::nullopt);
    QList<WireShortcut> wire;
    for (const PortalShortcut& shortcut : shortcuts) {
        QVariantMap properties{{QStringLiteral("description"), shortcut.description}};
        if (!shortcut.trigger.isEmpty())
            properties.insert(QStringLiteral("preferred_trigger"), shortcut.trigger);
        wire.append({shortcut.id, properties});
    }
    const QString token = nextToken();
    binding_ = true;
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(wire), QString(),
             QVariantMap{{QStringLiteral("handle_token"), token}}},
            token,
            [this, shortcuts](uint response, const QVariantMap& results, const QString& error) {
                binding_ = false;
                if (!error.isEmpty()) {
                    // A portal may take only one bind per session: a fresh
                    // session gets the shortcuts, once.
                    if (!renewed_) {
                        renewed_ = true;
                        if (!wanted_)
                            wanted_ = shortcuts;
                        closeSession();
                        opening_ = true;
                        createSession();
                        return;
                    }
                    emit failed(
                        tr("The desktop's shortcut service refused the shortcuts: %1.").arg(error));
                } else if (response != 0) {
                    emit bindDeclined(response);
                } else {
                    emit bound(toShortcuts(results.value(QStringLiteral("shortcuts"))));
                }
                // A newer list waited for this answer.
                if (wanted_)
                    sendBind();
            });
}

void GlobalShortcutsPortal::closeSession() {
    if (session_.isEmpty())
        return;
    // No answer is awaited: the portal also closes a session whose owner
    // has left the bus.
    bus_.send(QDBusMessage::createMethodCall(kService, std::exchange(session_, QString()), kSession,
                                             QStringLiteral("Close")));
}

QString GlobalShortcutsPortal::nextToken() {
    return QStringLiteral("quillotap%1").arg(++tokens_);
}

QString GlobalShortcutsPortal::requestPath(const QString& token) const {
    QString sender = bus_.baseService();
    if (sender.startsWith(QLatin1Char(':')))
        sender.remove(0, 1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

void GlobalShortcutsPortal::watchRequest(const QString& path, Answer answer) {
    requests_.insert(path, std::move(answer));
    bus_.connect(kService, path, kRequest, QStringLiteral("Response"), this,
                 SLOT(onResponse(QDBusMessage)));
}

void GlobalShortcutsPortal::forgetRequest(const QString& path) {
    requests_.remove(path);
    bus_.disconnect(kService, path, kRequest, QStringLiteral("Response"), this,
                    SLOT(onResponse(QDBusMessage)));
}

void GlobalShortcutsPortal::request(const QString& method, const QList<QVariant>& arguments,
                                    const QString& token, Answer answer) {
    const QString expected = requestPath(token);
    watchRequest(expected, answer);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    // The call itself returns at once with the request's path; the answer
    // comes with the Response signal, however long the desktop takes.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, expected, answer](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *call;
                if (reply.isError()) {
                    if (requests_.contains(expected)) {
                        forgetRequest(expected);
                        answer(2, {}, reply.error().message());
                    }
                    return;
                }
                // An older portal may not honour the handle_token.
                const QString actual = reply.value().path();
                if (actual != expected && requests_.contains(expected)) {
                    forgetRequest(expected);
                    watchRequest(actual, answer);
                }
            });
}

void GlobalShortcutsPortal::onResponse(const QDBusMessage& message) {
    const QString path = message.path();
    const auto it = requests_.constFind(path);
    if (it == requests_.cend())
        return;
    const Answer answer = it.value();
    forgetRequest(path);
    const QList<QVariant> arguments = message.arguments();
    const uint response = arguments.value(0).toUInt();
    answer(response, toMap(arguments.value(1)), QString());
}

bool GlobalShortcutsPortal::isOurs(const QDBusMessage& message) const {
    return !session_.isEmpty() && toText(message.arguments().value(0)) == session_;
}

void GlobalShortcutsPortal::onActivated(const QDBusMessage& message) {
    if (isOurs(message))
        emit activated(message.arguments().value(1).toString());
}

void GlobalShortcutsPortal::onDeactivated(const QDBusMessage& message) {
    if (isOurs(message))
        emit deactivated(message.arguments().value(1).toString());
}

void GlobalShortcutsPortal::onShortcutsChanged(const QDBusMessage& message) {
    if (isOurs(message))
        emit shortcutsChanged(toShortcuts(message.arguments().value(1)));
}

} // namespace quillotap
