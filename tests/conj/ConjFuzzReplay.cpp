// Replays the command-line fuzz target on generated command lines (NUL
// bytes separate the arguments).
#include "../FuzzReplay.h"

int main(int argc, char** argv) {
    FuzzReplay replay;
    replay.pieces = {std::string(1, '\0'),
                     "--find",
                     "--define",
                     "--module",
                     "--all",
                     "-p",
                     "-a",
                     "-w",
                     "-h",
                     "--",
                     "=",
                     "--find=",
                     "-pa",
                     "-x",
                     "placer",
                     "se",
                     "s'",
                     "\xC3\xA9",
                     "\xE9",
                     "\x1B",
                     "--help",
                     "--definitions",
                     "--whole-word",
                     std::string(300, 'z')};
    replay.maxPieces = 12;
    replay.byteOneIn = 7;
    replay.seed = 20261208;
    replay.what = "command lines";
    return replay.Run(argc, argv);
}
