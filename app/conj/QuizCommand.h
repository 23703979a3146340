// plimo-conj --quiz: the practice drill on the terminal, on the same
// practice record as the practice window.
//
//   plimo-conj --quiz [--tense NAMES] [--verbs LIST | --top N | --mistakes | --due]
//                     [--count N] [--accents strict|warn|ignore] [--seed N]
//                     [--module FILE] [--help]
//
// One question a line on standard output ("nous — venir — Passé Simple"),
// one answer a line from standard input; each answer is judged at once
// ("right", "mind the accents: vînmes", "wrong: nous vînmes"), recorded,
// and a missed question comes back a few questions later. The end of the
// input ends the drill early, keeping what was answered.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// True when the arguments ask for the quiz.
bool IsQuizCommand(const std::vector<std::string>& arguments);

// Runs the quiz; returns plimo-conj's exit code.
int RunQuiz(const std::vector<std::string>& arguments, std::FILE* in, std::FILE* out, std::FILE* err);
