#include "SourceText.h"

#include "game/world/Map.h"

#include <charconv>
#include <cstdlib>

namespace {

constexpr int kLargestNumber = 1000000;

bool isBlank(char character) {
    return character == ' ' || character == '\t';
}

} // namespace

namespace SourceText {

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> result;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        result.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return result;
}

bool isBlankOrComment(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

std::vector<std::string> plainWords(std::string_view line) {
    std::vector<std::string> result;
    size_t start = line.find_first_not_of(" \t");
    while (start != std::string_view::npos) {
        const size_t end = line.find_first_of(" \t", start);
        result.emplace_back(line.substr(start, end - start));
        start = line.find_first_not_of(" \t", end);
    }
    return result;
}

std::optional<std::vector<std::string>> words(std::string_view line) {
    std::vector<std::string> result;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char character : line) {
        if (character == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (isBlank(character) && !quoted) {
            if (inWord) {
                result.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += character;
            inWord = true;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    if (inWord) {
        result.push_back(word);
    }
    return result;
}

std::optional<int> integer(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || std::abs(value) > kLargestNumber) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> pixels(std::string_view text) {
    const size_t mark = text.find('t');
    if (mark == std::string_view::npos) {
        return integer(text);
    }
    const std::optional<int> tiles = integer(text.substr(0, mark));
    const std::string_view rest = text.substr(mark + 1);
    if (!tiles || *tiles < 0 || *tiles > kLargestNumber / Map::kTileSize) {
        return std::nullopt;
    }
    if (rest.empty()) {
        return *tiles * Map::kTileSize;
    }
    const std::optional<int> offset = integer(rest.substr(1));
    if ((rest[0] != '+' && rest[0] != '-') || !offset || *offset < 0) {
        return std::nullopt;
    }
    return *tiles * Map::kTileSize + (rest[0] == '+' ? *offset : -*offset);
}

std::string word(std::string_view text) {
    const bool plain = !text.empty() && text.find_first_of(" \t") == std::string_view::npos;
    return plain ? std::string(text) : '"' + std::string(text) + '"';
}

std::string pixelsText(int pixels) {
    if (pixels < Map::kTileSize) {
        return std::to_string(pixels);
    }
    // Offsets beyond half a tile count back from the next tile.
    const int tiles = (pixels + Map::kTileSize / 2 - 1) / Map::kTileSize;
    const int offset = pixels - tiles * Map::kTileSize;
    const std::string sign = offset > 0 ? "+" : "-";
    return std::to_string(tiles) + "t" +
           (offset == 0 ? "" : sign + std::to_string(std::abs(offset)));
}

} // namespace SourceText
