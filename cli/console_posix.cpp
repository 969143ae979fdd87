#include "cli/console.h"

// A POSIX terminal takes UTF-8 and every byte as written.
void prepareConsole() {}
