#include "audio/backends/PulseConnection.h"

#include <QCoreApplication>
#include <pulse/pulseaudio.h>

namespace quillotap {

namespace {

void wake(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* userdata) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(userdata), 0);
}

} // namespace

PulseConnection::Lock::Lock(const PulseConnection& connection) : mainloop_(connection.mainloop()) {
    pa_threaded_mainloop_lock(mainloop_);
}

PulseConnection::Lock::~Lock() {
    pa_threaded_mainloop_unlock(mainloop_);
}

PulseConnection::PulseConnection() : mainloop_(pa_threaded_mainloop_new()) {
    pa_threaded_mainloop_set_name(mainloop_, "quillotap-pulse");
    pa_threaded_mainloop_start(mainloop_);
}

PulseConnection::~PulseConnection() {
    disconnect();
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
}

void PulseConnection::disconnect() {
    if (!context_)
        return;
    Lock lock(*this);
    pa_context_set_state_callback(context_, nullptr, nullptr);
    pa_context_set_subscribe_callback(context_, nullptr, nullptr);
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
}

bool PulseConnection::connect(QString* error) {
    disconnect();
    Lock lock(*this);
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Quillotap");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "quillotap");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "audio-input-microphone");
    context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(mainloop_), "Quillotap",
                                            properties);
    pa_proplist_free(properties);
    if (!context_) {
        if (error)
            *error = QCoreApplication::translate("quillotap::PulseConnection",
                                                 "Cannot create a PulseAudio context.");
        return false;
    }
    pa_context_set_state_callback(
        context_,
        [](pa_context*, void* userdata) {
            static_cast<const PulseConnection*>(userdata)->signal();
        },
        this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        if (error)
            *error = QCoreApplication::translate("quillotap::PulseConnection",
                                                 "Cannot connect to the sound server: %1")
                         .arg(QString::fromUtf8(pa_strerror(pa_context_errno(context_))));
        return false;
    }
    const bool settled = waitUntil([this] {
        const pa_context_state_t state = pa_context_get_state(context_);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    });
    if (settled && pa_context_get_state(context_) == PA_CONTEXT_READY)
        return true;
    if (error)
        *error = settled
                     ? QCoreApplication::translate("quillotap::PulseConnection",
                                                   "Cannot connect to the sound server: %1")
                           .arg(QString::fromUtf8(pa_strerror(pa_context_errno(context_))))
                     : QCoreApplication::translate("quillotap::PulseConnection",
                                                   "The sound server did not answer within %1 ms.")
                           .arg(kTimeoutMs);
    return false;
}

bool PulseConnection::connected() const {
    if (!context_)
        return false;
    Lock lock(*this);
    return pa_context_get_state(context_) == PA_CONTEXT_READY;
}

bool PulseConnection::waitUntil(const std::function<bool()>& done, int timeoutMs) const {
    if (done())
        return true;
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(mainloop_);
    struct timeval deadline;
    pa_timeval_add(pa_gettimeofday(&deadline), pa_usec_t(timeoutMs) * PA_USEC_PER_MSEC);
    pa_time_event* timer = api->time_new(api, &deadline, wake, mainloop_);
    bool result = false;
    for (;;) {
        if (done()) {
            result = true;
            break;
        }
        struct timeval now;
        if (pa_timeval_cmp(pa_gettimeofday(&now), &deadline) >= 0)
            break;
        pa_threaded_mainloop_wait(mainloop_);
    }
    api->time_free(timer);
    return result;
}

bool PulseConnection::finish(pa_operation* operation, int timeoutMs) const {
    if (!operation)
        return false;
    pa_operation_set_state_callback(
        operation,
        [](pa_operation*, void* userdata) {
            static_cast<const PulseConnection*>(userdata)->signal();
        },
        const_cast<PulseConnection*>(this));
    const bool done =
        waitUntil([operation] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; },
                  timeoutMs);
    if (!done)
        pa_operation_cancel(operation);
    pa_operation_unref(operation);
    return done;
}

void PulseConnection::signal() const {
    pa_threaded_mainloop_signal(mainloop_, 0);
}

} // namespace quillotap
