#include "cli/platform.h"

// A POSIX terminal takes UTF-8 and every byte as written.
void prepareConsole() {}

std::vector<std::string> expandWildcards(const std::string& argument) {
    return {argument};
}

std::string systemTextToUtf8(const std::string& text) {
    return text;
}
