#include <iostream>
#include <string>
#include <vector>

#include "cli/platform.h"
#include "cli/run_cli.h"

int main(int argc, char** argv) {
    prepareConsole();
    catchInterruptions();
    std::ios::sync_with_stdio(false);
    return runCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
