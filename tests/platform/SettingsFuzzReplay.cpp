// Replays the settings reader fuzz target on generated settings files.
#include "../FuzzReplay.h"

int main(int argc, char** argv) {
    FuzzReplay replay;
    replay.pieces = {"[",
                     "]",
                     "\\",
                     "Software",
                     "k",
                     "\n",
                     "\r\n",
                     "\"",
                     "a",
                     "=",
                     "@",
                     "dword:",
                     "0000000a",
                     "hex:",
                     "01,",
                     "ff",
                     "\\\"",
                     ";",
                     std::string(1, '\0'),
                     "\xE9",
                     std::string(40, '\\'),
                     std::string(300, 'n')};
    replay.maxPieces = 32;
    replay.byteOneIn = 6;
    replay.seed = 20261208;
    replay.what = "settings files";
    return replay.Run(argc, argv);
}
