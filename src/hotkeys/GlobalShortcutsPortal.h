// A client of the desktop's GlobalShortcuts portal
// (org.freedesktop.portal.GlobalShortcuts on org.freedesktop.portal.Desktop):
// it opens one session, binds shortcuts in it and reports their activation.
//
// Every call is asynchronous: the portal answers each request through a
// Request object's Response signal, which may come minutes later when the
// desktop asks the user to confirm. The Response signal is subscribed before
// the call is sent, on the request path the portal will use (built from this
// connection's unique name and the request's handle_token), so an answer
// cannot slip through. Lives on the thread that created it.
#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

class QDBusMessage;

namespace quillotap {

struct PortalShortcut {
    QString id;
    QString description;
    // Binding: the preferred trigger ("CTRL+ALT+R"; empty: none). Answers:
    // the trigger as the desktop describes it to the user.
    QString trigger;

    bool operator==(const PortalShortcut&) const = default;
};
using PortalShortcutList = QList<PortalShortcut>;

class GlobalShortcutsPortal : public QObject {
    Q_OBJECT
public:
    explicit GlobalShortcutsPortal(const QDBusConnection& bus, QObject* parent = nullptr);
    // Closes the session.
    ~GlobalShortcutsPortal() override;

    // Asks whether the desktop offers the portal, then opens the session:
    // missing(), failed() or opened() follows.
    void open();
    // Binds the shortcuts in the session, replacing what was bound before.
    // Before the session is open, or while another bind waits for its
    // answer, the newest list is sent as soon as it can be. bound() or
    // bindDeclined() follows.
    void bind(const PortalShortcutList& shortcuts);

    bool isOpen() const { return !session_.isEmpty(); }
    QString sessionHandle() const { return session_; }

signals:
    // The session bus has no portal with global shortcuts.
    void missing(const QString& reason);
    void opened();
    // The session could not be opened, or the portal failed a call.
    void failed(const QString& reason);
    // The shortcuts the desktop bound, with their triggers.
    void bound(const quillotap::PortalShortcutList& shortcuts);
    // The desktop answered a bind with response 1 (the user cancelled) or
    // 2 (it failed).
    void bindDeclined(uint response);
    void activated(const QString& id);
    void deactivated(const QString& id);
    void shortcutsChanged(const quillotap::PortalShortcutList& shortcuts);

private slots:
    void onResponse(const QDBusMessage& message);
    void onActivated(const QDBusMessage& message);
    void onDeactivated(const QDBusMessage& message);
    void onShortcutsChanged(const QDBusMessage& message);

private:
    // (response, results) of a Request, or the error of the call itself.
    using Answer =
        std::function<void(uint response, const QVariantMap& results, const QString& error)>;

    void request(const QString& method, const QList<QVariant>& arguments, const QString& token,
                 Answer answer);
    void watchRequest(const QString& path, Answer answer);
    void forgetRequest(const QString& path);
    QString requestPath(const QString& token) const;
    QString nextToken();
    void createSession();
    void sendBind();
    void closeSession();
    bool isOurs(const QDBusMessage& message) const;

    QDBusConnection bus_;
    QString session_;
    QHash<QString, Answer> requests_;
    std::optional<PortalShortcutList> wanted_;
    bool opening_ = false;
    bool binding_ = false;
    bool renewed_ = false;
    int tokens_ = 0;
};

} // namespace quillotap
