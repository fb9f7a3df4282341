// The words of level sources that stand for numbers of the map (weathers, orientations, the sides
// stoppers keep the view on, layer flags): one table each, read by the compiler and written by
// the decompiler.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace Keywords {

struct Name {
    const char* text;
    int value;
};
using Names = std::span<const Name>;

extern const Names kWeathers;
extern const Names kOrientations;
extern const Names kVerticalBlocks;
extern const Names kHorizontalBlocks;

// The value the word stands for in the table, or nothing.
std::optional<int> valueOf(Names names, std::string_view word);
// The word for the value; the number itself when the table has none, so the compiler names the
// value it refuses.
std::string nameOf(Names names, int value);

// Layer flags: "none", or flag names joined by '|'; nothing for another word.
std::optional<int> layerFlags(std::string_view text);
// The word for layer flags, the number itself for bits without a name.
std::string layerFlagsName(int flags);

} // namespace Keywords
