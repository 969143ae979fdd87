// Makes the console take the program's output as it is written: UTF-8 text, and line ends as the
// program writes them (CSV records end with CRLF on every system).
#pragma once

void prepareConsole();
