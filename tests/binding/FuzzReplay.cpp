// Runs the definitions reader fuzz target on a fixed series of generated
// inputs (deterministic, a fraction of a second), for builds without
// libFuzzer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    const std::vector<std::string> pieces = {
        "Verb, Pronominal ( 0 or 1), English Definition\r\n", "abaisser", ",", ",0,", ",1,",
        "to lower", "\r\n", "\n", "\r", std::string(1, '\0'), "\xE9", "\x9C", "\xFF", ",,",
        "1", "0", " ", "a,b,c,d", std::string(300, 'x')};
    uint32_t seed = 20240601;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    std::string input;
    for (long run = 0; run < runs; ++run) {
        input.clear();
        int count = next() % 24;
        for (int i = 0; i < count; ++i) {
            if (next() % 5 == 0)
                input += static_cast<char>(next() & 0xFF);
            else
                input += pieces[next() % pieces.size()];
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("%ld inputs read without a fault\n", runs);
    return 0;
}
