// plimo-conj: French verb conjugation on the terminal.
#include <cstdio>
#include <string>
#include <vector>

#include "ConjProgram.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunConj(arguments, stdout, stderr);
}
