#include "Legend.h"

#include "SourceText.h"

#include <set>

namespace {

// Checks one entry's words: "tile|auto CHARACTER INDEX PAINTER [ARGUMENTS...]".
std::optional<Legend::Entry> parseEntry(const std::vector<std::string>& words,
                                        std::string& problem) {
    const bool automatic = words[0] == "auto";
    if (!automatic && words[0] != "tile") {
        problem = "expected 'tile' or 'auto', found '" + words[0] + "'";
        return std::nullopt;
    }
    if (words.size() < 4 || words[1].size() != 1) {
        problem = "expected '" + words[0] + " CHARACTER INDEX PAINTER'";
        return std::nullopt;
    }
    const std::optional<int> tile = SourceText::integer(words[2]);
    const int last = tile ? *tile + (automatic ? Legend::kAutomaticVariants - 1 : 0) : -1;
    if (!tile || *tile < (automatic ? 1 : 0) || last >= Legend::kTilesetCells) {
        problem = "tile index '" + words[2] + "' is outside the tileset's " +
                  std::to_string(Legend::kTilesetCells) + " cells";
        return std::nullopt;
    }
    return Legend::Entry{*tile, automatic};
}

} // namespace

Legend Legend::parse(std::string_view text, const std::string& file, Diagnostics& diagnostics) {
    Legend legend;
    std::set<int> usedTiles;
    int number = 0;
    for (const std::string_view line : SourceText::lines(text)) {
        number++;
        if (SourceText::isBlankOrComment(line)) {
            continue;
        }
        const std::vector<std::string> words = SourceText::plainWords(line);
        std::string problem;
        const std::optional<Entry> entry = parseEntry(words, problem);
        if (!entry) {
            diagnostics.error(file, number, problem);
            continue;
        }
        const char character = words[1][0];
        if (character == kNumberOpen) {
            diagnostics.error(file, number,
                              std::string("character '") + kNumberOpen + "' opens numbered cells");
            continue;
        }
        if (!legend._entries.emplace(character, *entry).second) {
            diagnostics.error(file, number,
                              std::string("character '") + character + "' is listed twice");
            continue;
        }
        const int variants = entry->automatic ? kAutomaticVariants : 1;
        for (int tile = entry->tile; tile < entry->tile + variants; tile++) {
            if (!usedTiles.insert(tile).second) {
                diagnostics.error(file, number, "tile " + std::to_string(tile) + " is used twice");
            }
        }
    }
    return legend;
}

const Legend::Entry* Legend::find(char character) const {
    const auto entry = _entries.find(character);
    return entry != _entries.end() ? &entry->second : nullptr;
}

std::optional<std::vector<Legend::Entry>> Legend::cells(std::string_view row,
                                                        std::string& problem) const {
    std::vector<Entry> result;
    for (size_t at = 0; at < row.size(); at++) {
        const std::string column = "column " + std::to_string(result.size() + 1) + ": ";
        if (row[at] == kNumberOpen) {
            const size_t close = row.find(kNumberClose, at);
            const std::optional<int> tile =
                close == std::string_view::npos
                    ? std::nullopt
                    : SourceText::integer(row.substr(at + 1, close - at - 1));
            if (!tile) {
                problem = column + "a numbered cell is {INDEX}, such as {37}";
                return std::nullopt;
            }
            result.push_back(Entry{*tile, false});
            at = close;
        } else if (const Entry* entry = find(row[at])) {
            result.push_back(*entry);
        } else {
            problem = column + "the character '" + row[at] + "' is not in the tileset's legend";
            return std::nullopt;
        }
    }
    return result;
}

std::string Legend::cellText(int tile, int neighbourBits) const {
    for (const auto& [character, entry] : _entries) {
        if (tile == entry.tile + (entry.automatic ? neighbourBits : 0)) {
            return std::string(1, character);
        }
    }
    return kNumberOpen + std::to_string(tile) + kNumberClose;
}
