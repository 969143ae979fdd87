// The part of the interruption handling that every system shares: what the handler removes and says.
#include "cli/platform.h"

namespace {

InterruptionState state;

} // namespace

InterruptionState& interruptionState() {
    return state;
}

std::size_t registerTemporary(const std::filesystem::path& path) {
    state.temporaries.push_back(path.native());
    return state.temporaries.size() - 1;
}

void forgetTemporary(std::size_t registered) {
    state.temporaries[registered].clear();
    while (!state.temporaries.empty() && state.temporaries.back().empty())
        state.temporaries.pop_back();
}

void setInterruptionMessage(std::string_view message) {
    holdInterruptions();
    state.message = message;
    releaseInterruptions();
}
