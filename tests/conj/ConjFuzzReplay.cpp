// Runs the command-line fuzz target on a fixed series of generated command
// lines (deterministic, a fraction of a second), for builds without libFuzzer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    const std::vector<std::string> pieces = {
        std::string(1, '\0'), "--find", "--define", "--module", "--all", "-p", "-a", "-w", "-h", "--",
        "=", "--find=", "-pa", "-x", "placer", "se", "s'", "\xC3\xA9", "\xE9", "\x1B", "--help",
        "--definitions", "--whole-word", std::string(300, 'z')};
    uint32_t seed = 20261208;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    std::string input;
    for (long run = 0; run < runs; ++run) {
        input.clear();
        int count = next() % 12;
        for (int i = 0; i < count; ++i) {
            if (next() % 7 == 0)
                input += static_cast<char>(next() & 0xFF);
            else
                input += pieces[next() % pieces.size()];
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("%ld command lines parsed without a fault\n", runs);
    return 0;
}
