// Reading and writing the text of level and legend sources: lines, words and numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace SourceText {

// The lines of a text split at line feeds; a final line feed ends the last line.
std::vector<std::string_view> lines(std::string_view text);

// True for an empty line, a line of blanks, or a comment (first non-blank character '#').
bool isBlankOrComment(std::string_view line);

// The blank-separated words of a line, taken as they are.
std::vector<std::string> plainWords(std::string_view line);

// The blank-separated words of a line. Double quotes group blanks into a word and are dropped,
// so key="two words" is one word; nothing when a quote is left open.
std::optional<std::vector<std::string>> words(std::string_view line);

// A decimal integer filling the whole text, within +-1000000.
std::optional<int> integer(std::string_view text);

// A length or position in pixels: "40" is 40 pixels, "3t" three tiles (48 pixels), and "3t+4"
// or "3t-4" three tiles and a few pixels more or less.
std::optional<int> pixels(std::string_view text);

// The text as one word of a line: quoted when it is empty or holds blanks.
std::string word(std::string_view text);

// Pixels as the sources write them: whole tiles with "t" and the nearest tile's offset ("5t-1",
// "3t+8"), small and negative numbers plain.
std::string pixelsText(int pixels);

} // namespace SourceText
