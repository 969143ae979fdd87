#include "cli/messages.h"
#include "cli/platform.h"

#include <csignal>
#include <signal.h>
#include <unistd.h>

namespace {

constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};

int holds = 0;

sigset_t interruptions() {
    sigset_t set;
    sigemptyset(&set);
    for (int number : kInterruptions)
        sigaddset(&set, number);
    return set;
}
const sigset_t interruptionSet = interruptions();

void writeAll(std::string_view text) {
    while (!text.empty()) {
        const ssize_t wrote = write(STDERR_FILENO, text.data(), text.size());
        if (wrote <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(wrote));
    }
}

// Async-signal-safe: unlink, write, signal, sigprocmask and raise only. It runs only while no
// interruption is held, so it never sees the state half changed.
extern "C" void onInterruption(int number) {
    const InterruptionState& state = interruptionState();
    for (const std::string& temporary : state.temporaries)
        if (!temporary.empty())
            unlink(temporary.c_str());
    writeAll(kProgram);
    writeAll(": ");
    writeAll(state.message);
    writeAll("\n");
    signal(number, SIG_DFL);
    sigset_t own;
    sigemptyset(&own);
    sigaddset(&own, number);
    sigprocmask(SIG_UNBLOCK, &own, nullptr);
    raise(number);
}

} // namespace

// A POSIX terminal takes UTF-8 and every byte as written. A reader that goes away (a pipe into
// head) makes a write fail with a message and exit status 2, rather than end the program silently.
void prepareConsole() {
    std::signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> expandWildcards(const std::string& argument) {
    return {argument};
}

std::string systemTextToUtf8(const std::string& text) {
    return text;
}

// A signal that the program was started to ignore (INT and HUP under nohup or in the background)
// stays ignored.
void catchInterruptions() {
    struct sigaction action {};
    action.sa_handler = onInterruption;
    action.sa_mask = interruptionSet;
    for (int number : kInterruptions) {
        struct sigaction previous {};
        if (sigaction(number, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            sigaction(number, &action, nullptr);
    }
}

void holdInterruptions() {
    if (holds++ == 0)
        sigprocmask(SIG_BLOCK, &interruptionSet, nullptr);
}

void releaseInterruptions() {
    if (--holds == 0)
        sigprocmask(SIG_UNBLOCK, &interruptionSet, nullptr);
}

std::string unsafeFileName(const std::filesystem::path&) {
    return {};
}

bool isUnicodeName(const std::filesystem::path&) {
    return true;
}
