// monsters-fight: runs a fight between two monster files without a window
// and prints the outcome (see monsters/CFightRunner.h).

#include <iostream>
#include <string>
#include <vector>

#include "monsters/CFightRunner.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return monsters::RunFightProgram(args, std::cout, std::cerr);
}
