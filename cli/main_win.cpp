#include <iostream>
#include <string>
#include <vector>

#include "cli/platform.h"
#include "cli/run_cli.h"
#include "teamfile/file_io.h"

// The arguments arrive as UTF-16, so that every file name reaches the program whole.
int wmain(int argc, wchar_t** argv) {
    prepareConsole();
    catchInterruptions();
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(utf8Text(argv[i]));
    return runCli(args, std::cin, std::cout, std::cerr);
}
