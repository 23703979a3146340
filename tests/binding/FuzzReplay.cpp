// Replays the definitions reader fuzz target on generated definitions files.
#include "../FuzzReplay.h"

int main(int argc, char** argv) {
    FuzzReplay replay;
    replay.pieces = {"Verb, Pronominal ( 0 or 1), English Definition\r\n",
                     "abaisser",
                     ",",
                     ",0,",
                     ",1,",
                     "to lower",
                     "\r\n",
                     "\n",
                     "\r",
                     std::string(1, '\0'),
                     "\xE9",
                     "\x9C",
                     "\xFF",
                     ",,",
                     "1",
                     "0",
                     " ",
                     "a,b,c,d",
                     std::string(300, 'x')};
    replay.what = "definitions files";
    return replay.Run(argc, argv);
}
