#include "SpriteCatalog.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace {

CatalogAnimation parseAnimation(const std::string& word) {
    static const std::regex pattern(R"(([^!>]+)(!)?(?:>=(\d+))?)");
    std::smatch match;
    if (!std::regex_match(word, match, pattern)) {
        throw std::runtime_error("cannot read catalog animation '" + word + "'");
    }
    return {match[1], match[2].matched, match[3].matched ? std::stoi(match[3]) : 1};
}

} // namespace

std::vector<CatalogEntry> readSpriteCatalog(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot open " + path);
    }
    std::vector<CatalogEntry> entries;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        CatalogEntry entry;
        if (!(words >> entry.file)) {
            continue;
        }
        std::string word;
        while (words >> word) {
            if (word == "box1" && entry.animations.empty()) {
                entry.needsBox1 = true;
            } else {
                entry.animations.push_back(parseAnimation(word));
            }
        }
        entries.push_back(entry);
    }
    return entries;
}
