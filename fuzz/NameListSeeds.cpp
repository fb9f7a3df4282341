// Writes seed name lists for the name list fuzzer into the folder given as the only argument:
// the game's own lists as the data tree ships them, and a few edge cases derived from them.
#include "FuzzSupport.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const char* folder = seedFolderArgument(argc, argv);
    if (folder == nullptr) {
        return 2;
    }
    const std::string lists = std::string(CORVANE_ASSETS_DIR) + "/lists/";
    const std::string tilesets = readWholeFile(lists + "tilesetNames.txt");
    const std::string music = readWholeFile(lists + "mapMusicNames.txt");
    const std::string body = tilesets.substr(tilesets.find('\n') + 1);
    const std::string folderPath = folder;
    if (!writeWholeFile(folderPath + "/tilesetNames.txt", tilesets) ||
        !writeWholeFile(folderPath + "/mapMusicNames.txt", music) ||
        !writeWholeFile(folderPath + "/fewer-names", "9\n" + body) ||
        !writeWholeFile(folderPath + "/crlf-no-final-line-end", "2\r\nfirst.png\r\nsecond.png") ||
        !writeWholeFile(folderPath + "/long-name", "1\n" + std::string(600, 'n') + ".png\n") ||
        !writeWholeFile(folderPath + "/count-too-large", "10001\n" + body) ||
        !writeWholeFile(folderPath + "/count-not-a-number", "three\n" + body)) {
        fprintf(stderr, "%s: cannot write the seeds into %s\n", argv[0], folder);
        return 1;
    }
    return 0;
}
