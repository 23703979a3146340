// plimo-conj: French verb conjugation on the terminal.
#include <cstdio>
#include <string>
#include <vector>

#include "ConjProgram.h"
#ifdef PLIMO_WITH_QUIZ
#include "QuizCommand.h"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef PLIMO_WITH_QUIZ
    if (IsQuizCommand(arguments)) return RunQuiz(arguments, stdin, stdout, stderr);
#endif
    return RunConj(arguments, stdout, stderr);
}
