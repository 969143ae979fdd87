#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console.h"

int main(int argc, char** argv) {
    prepareConsole();
    return runCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
