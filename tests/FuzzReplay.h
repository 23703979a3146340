// Replaying a fuzz target in builds without libFuzzer: a fixed series of
// generated inputs (deterministic, a fraction of a second), each made of
// pieces of the target's format chosen at random, with a random byte now and
// then.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

struct FuzzReplay {
    std::vector<std::string> pieces;
    int maxPieces = 24;  // an input has 0 .. maxPieces - 1 pieces
    int byteOneIn = 5;   // one piece in this many is a random byte
    uint32_t seed = 20240601;
    const char* what = "inputs";

    // Runs argv[1] inputs (default 10000) and says how many.
    int Run(int argc, char** argv) const {
        const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
        uint32_t state = seed;
        auto next = [&state] {
            state = state * 1664525u + 1013904223u;
            return state >> 8;
        };
        std::string input;
        for (long run = 0; run < runs; ++run) {
            input.clear();
            const int count = int(next() % uint32_t(maxPieces));
            for (int i = 0; i < count; ++i) {
                if (next() % uint32_t(byteOneIn) == 0)
                    input += static_cast<char>(next() & 0xFF);
                else
                    input += pieces[next() % pieces.size()];
            }
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
        }
        std::printf("%ld %s read without a fault\n", runs, what);
        return 0;
    }
};
