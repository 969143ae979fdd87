#include "cli/platform.h"

#include <csignal>

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
