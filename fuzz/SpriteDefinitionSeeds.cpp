// Writes valid and edge-case sprite definitions into the folder given as the only argument.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace {

const std::string kPreamble = "VERSION: 1\nIMAGE: sheet.png\n";

const std::string kWalk = "[walkRight]\n"
                          "LOOP: True\n"
                          "NUMBER_OF_FRAMES: 2\n"
                          "FRAME_COORDS: 0, 0, 16, 24, -2, 0\n"
                          "DELAY: 5\n"
                          "NUMBER_OF_BOUNDING_BOXES: 2\n"
                          "BBOX_COORDS: 1, 2, 13, 22\n"
                          "BBOX_COORDS: -3, -4, 5, 6\n"
                          "FRAME_COORDS: 16,0,32,24,0,0\n"
                          "DELAY: 0\n"
                          "NUMBER_OF_BOUNDING_BOXES: 0\n";

const std::string kOnce = "[once] trailing text\n"
                          "LOOP: False\n"
                          "NUMBER_OF_FRAMES: 1\n"
                          "FRAME_COORDS: 0,0,8,8,0,0,99\n"
                          "DELAY: 3\n"
                          "NUMBER_OF_BOUNDING_BOXES: 1\n"
                          "BBOX_COORDS: 0,0,7,7,99\n";

std::string manyBoxes() {
    std::string text = kPreamble + "[boxed]\nLOOP: True\nNUMBER_OF_FRAMES: 1\n"
                                   "FRAME_COORDS: 0,0,1,1,0,0\nDELAY: 1\n"
                                   "NUMBER_OF_BOUNDING_BOXES: 64\n";
    for (int box = 0; box < 64; box++) {
        text += "BBOX_COORDS: " + std::to_string(box) + ",0,1,1\n";
    }
    return text;
}

bool writeSeed(const std::filesystem::path& folder, const char* name, const std::string& text) {
    std::ofstream out(folder / name, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::pair<const char*, std::string> seeds[] = {
        {"valid.txt", kPreamble + kWalk + kOnce},
        {"commented.txt", "# sprite\n\n   \nVERSION: 1 # one\n" + std::string("IMAGE: a b.png\n") +
                              "  # indented comment\n" + kOnce + "\n# end"},
        {"loops.txt", kPreamble + "[a]\nLOOP: True \n" + kOnce.substr(kOnce.find("NUMBER")) +
                          "[b]\nLOOP: True#x\n" + kOnce.substr(kOnce.find("NUMBER"))},
        {"carriageReturns.txt", "VERSION: 1\r\nIMAGE: sheet.png\r\n[a]\r\nLOOP: True\r\n"},
        {"repeated.txt", kPreamble + kWalk + kWalk},
        {"manyBoxes.txt", manyBoxes()},
        {"manyFrames.txt",
         kPreamble + "[long]\nLOOP: True\nNUMBER_OF_FRAMES: 4096\n" +
             "FRAME_COORDS: 0,0,1,1,0,0\nDELAY: 1\nNUMBER_OF_BOUNDING_BOXES: 0\n"},
        {"hugeNumbers.txt", kPreamble + "[big]\nLOOP: True\nNUMBER_OF_FRAMES: 1\n" +
                                "FRAME_COORDS: -99999999999999999999,0,2147483648,+5,-7,x\n" +
                                "DELAY: -2147483649\nNUMBER_OF_BOUNDING_BOXES: 1\n" +
                                "BBOX_COORDS: 2147483647, -2147483648, 12abc,\n"},
        {"longLine.txt", kPreamble + std::string(600, ' ') + "[x\n" + kOnce},
        {"zeroFrames.txt",
         kPreamble + "[none]\nLOOP: True\nNUMBER_OF_FRAMES: 0\n" +
             "FRAME_COORDS: 0,0,1,1,0,0\nDELAY: 1\nNUMBER_OF_BOUNDING_BOXES: 0\n"},
        {"truncated.txt", kPreamble + kWalk.substr(0, kWalk.size() / 2)},
        {"zeroByte.txt", kPreamble + kOnce + std::string("\0[junk", 6)},
        {"imageOnly.txt", kPreamble},
    };
    for (const auto& [name, text] : seeds) {
        if (!writeSeed(folder, name, text)) {
            std::fprintf(stderr, "Couldn't write %s\n", name);
            return 1;
        }
    }
    return 0;
}
