#pragma once

#include <QString>
#include <functional>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_operation;

namespace quillotap {

// A libpulse context on its own threaded main loop, connected to the server
// named by PULSE_SERVER or the user's default server, without autospawn.
// Every wait is bounded, so an unreachable or stuck server never hangs the
// caller.
class PulseConnection {
public:
    static constexpr int kTimeoutMs = 3000;

    PulseConnection();
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // Connects; false with the reason in *error when the server does not
    // answer within kTimeoutMs.
    bool connect(QString* error);
    bool connected() const; // takes the lock itself
    // Ends the connection; pending operations are cancelled without their
    // callbacks being called.
    void disconnect();

    pa_threaded_mainloop* mainloop() const { return mainloop_; }
    pa_context* context() const { return context_; }

    // Holds the main loop lock for a scope. Never used on the main loop
    // thread itself (callbacks already hold the lock).
    class Lock {
    public:
        explicit Lock(const PulseConnection& connection);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        pa_threaded_mainloop* mainloop_;
    };

    // With the lock held: waits until `done` holds or timeoutMs passed.
    // Callbacks that change what `done` looks at call signal().
    bool waitUntil(const std::function<bool()>& done, int timeoutMs = kTimeoutMs) const;
    // With the lock held: waits for an operation to finish, then unrefs it.
    bool finish(pa_operation* operation, int timeoutMs = kTimeoutMs) const;
    // From a callback: wakes the waiters.
    void signal() const;

private:
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
};

} // namespace quillotap
