// What a start of the program does about a copy that may already run: the
// holder of the single-instance lock is the program; any other start hands
// its command line to it over the remote-control socket, prints what the
// program answers and ends.
#pragma once

#include "remote/CommandLine.h"

#include <chrono>
#include <functional>
#include <iosfwd>

namespace quillotap {

class RemoteControlClient;

// The single-instance lock, as the launch needs it.
struct InstanceLock {
    std::function<bool()> tryLock; // true: this process now holds it
    std::function<void()> release;
};

struct LaunchTiming {
    // How long a command waits for a program that holds the lock but does
    // not listen yet (it is still starting).
    std::chrono::milliseconds patience{10000};
    // The same for a plain start, which ends quietly when it runs out: it
    // ended at once before remote control existed.
    std::chrono::milliseconds plainPatience{2000};
    std::chrono::milliseconds retryInterval{25};
};

struct LaunchDecision {
    bool runHere = false;    // this process holds the lock and starts the program
    int exitStatus = ExitOk; // otherwise: end with this status
};

// Takes the lock, or hands the command line over to its holder. When the
// holder goes away meanwhile, the lock is tried again, so of two starts at
// the same moment exactly one becomes the program and the other's command
// reaches it. Answers go to `out` (--status) or `err` (failures, with the
// reason).
LaunchDecision HandOverOrRunHere(const CommandLine& commandLine, const InstanceLock& lock,
                                 const RemoteControlClient& client, std::ostream& out,
                                 std::ostream& err, const LaunchTiming& timing = {});

} // namespace quillotap
