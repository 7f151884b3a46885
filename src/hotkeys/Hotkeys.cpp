#include "hotkeys/Hotkeys.h"

#include "hotkeys/HotkeyPoller.h"
#include "hotkeys/HotkeyTexts.h"
#include "hotkeys/KeyboardState.h"
#include "hotkeys/PortalHotkeySource.h"
#include "settings/DesktopSessionBus.h"

namespace quillotap {

HotkeySourceKind HotkeySourceFromEnvironment() {
    const QString value = qEnvironmentVariable("QUILLOTAP_HOTKEYS").trimmed().toLower();
    if (value == QLatin1String("x11"))
        return HotkeySourceKind::X11;
    if (value == QLatin1String("portal"))
        return HotkeySourceKind::Portal;
    if (value == QLatin1String("none"))
        return HotkeySourceKind::None;
    if (!value.isEmpty())
        qWarning("QUILLOTAP_HOTKEYS=%s names no hotkey source (x11, portal, none): ignored",
                 qPrintable(value));
    return HotkeySourceKind::Auto;
}

bool IsWaylandSession() {
    return qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

HotkeyChoice ChooseHotkeySource(HotkeySourceKind requested, bool waylandSession) {
    if (requested != HotkeySourceKind::Auto)
        return {requested, false};
    if (waylandSession)
        return {HotkeySourceKind::Portal, true};
    return {HotkeySourceKind::X11, false};
}

Hotkeys::Hotkeys(HotkeyActions& actions, const HotkeyRows& rows, HotkeySetup setup, QObject* parent)
    : QObject(parent), rows_(rows), setup_(std::move(setup)), dispatcher_(actions, setup_.clock) {
    HotkeySourceKind requested = setup_.source;
    if (requested == HotkeySourceKind::Auto && setup_.keyboard && !setup_.waylandSession) {
        requested = HotkeySourceKind::X11;
        setup_.waylandSession = false;
    }
    if (requested == HotkeySourceKind::Auto)
        requested = HotkeySourceFromEnvironment();
    waylandSession_ = setup_.waylandSession.value_or(IsWaylandSession());
    const HotkeyChoice choice = ChooseHotkeySource(requested, waylandSession_);
    fallBackToX11_ = choice.fallBackToX11;
    switch (choice.kind) {
    case HotkeySourceKind::X11:
        useSource(makeKeyboardSource(!waylandSession_), HotkeySourceKind::X11);
        break;
    case HotkeySourceKind::Portal:
        useSource(makePortalSource(), HotkeySourceKind::Portal);
        break;
    case HotkeySourceKind::Auto:
    case HotkeySourceKind::None:
        break;
    }
}

Hotkeys::~Hotkeys() {
    // No row may act while the window goes away.
    dispatcher_.SuspendHotkeys();
    source_.reset();
}

std::unique_ptr<HotkeySource> Hotkeys::makeKeyboardSource(bool systemWide) {
    if (!keyboard_)
        keyboard_ = setup_.keyboard ? std::move(setup_.keyboard) : CreateKeyboardState();
    return std::make_unique<HotkeyPoller>(*keyboard_, rows_, setup_.clock, systemWide);
}

std::unique_ptr<HotkeySource> Hotkeys::makePortalSource() {
    auto portal =
        std::make_unique<PortalHotkeySource>(setup_.bus ? *setup_.bus : DesktopSessionBus(), rows_);
    // Queued: the portal source is replaced, which must not happen inside
    // one of its own calls.
    connect(portal.get(), &PortalHotkeySource::missing, this, &Hotkeys::fallBackToX11,
            Qt::QueuedConnection);
    return portal;
}

void Hotkeys::useSource(std::unique_ptr<HotkeySource> source, HotkeySourceKind kind) {
    if (source_)
        dispatcher_.releaseAll();
    source_ = std::move(source);
    kind_ = kind;
    HotkeySource* s = source_.get();
    connect(s, &HotkeySource::pressed, &dispatcher_, &HotkeyDispatcher::press);
    connect(s, &HotkeySource::released, &dispatcher_, &HotkeyDispatcher::release);
    connect(s, &HotkeySource::triggerAssigned, this, &Hotkeys::triggerAssigned);
    connect(s, &HotkeySource::reachChanged, this, [this] { emit reachChanged(reach()); });
    if (suspended_)
        s->setSuspended(true);
    if (started_)
        s->start();
}

void Hotkeys::fallBackToX11() {
    if (!fallBackToX11_ || kind_ != HotkeySourceKind::Portal)
        return;
    fallBackReason_ = source_->reach().reason;
    useSource(makeKeyboardSource(!waylandSession_), HotkeySourceKind::X11);
    emit reachChanged(reach());
}

void Hotkeys::start() {
    if (started_)
        return;
    started_ = true;
    if (source_)
        source_->start();
    emit reachChanged(reach());
}

void Hotkeys::SuspendHotkeys() {
    suspended_ = true;
    dispatcher_.SuspendHotkeys();
    if (source_)
        source_->setSuspended(true);
}

void Hotkeys::ResumeHotkeys() {
    suspended_ = false;
    if (source_)
        source_->setSuspended(false);
    dispatcher_.ResumeHotkeys();
}

void Hotkeys::rowsChanged() {
    if (source_)
        source_->rowsChanged();
}

bool Hotkeys::trigger(int row) {
    return dispatcher_.trigger(row);
}

HotkeyReach Hotkeys::reach() const {
    if (!source_)
        return {HotkeyReach::Off, SwitchedOffReason()};
    HotkeyReach reach = source_->reach();
    // After a fall-back the keyboard's own reason tells only half the story.
    if (reach.state == HotkeyReach::Local && !fallBackReason_.isEmpty())
        reach.reason = fallBackReason_ + QLatin1Char(' ') + reach.reason;
    return reach;
}

HotkeyPoller* Hotkeys::poller() const {
    return qobject_cast<HotkeyPoller*>(source_.get());
}

template <class Step> int Hotkeys::actedDuring(Step step) {
    int acted = 0;
    const auto connection = connect(&dispatcher_, &HotkeyDispatcher::acted, this, [&](int row) {
        if (acted == 0)
            acted = row;
    });
    step();
    disconnect(connection);
    return acted;
}

int Hotkeys::tick() {
    return actedDuring([this] {
        if (HotkeyPoller* keyboard = poller())
            keyboard->tick();
        dispatcher_.runPending();
    });
}

int Hotkeys::pauseElapsed() {
    return actedDuring([this] { dispatcher_.pauseElapsed(); });
}

} // namespace quillotap
