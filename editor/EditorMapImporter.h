// Builds a map from an image: each opaque pixel is a solid tile.
#pragma once

#include <memory>

class Map;

// A map of one block layer sized by the magenta marks of the image's top row and left column (or
// the whole image without them), tile 1 wherever a pixel inside is not fully transparent; null,
// with the reason logged, when the file is no usable image.
std::unique_ptr<Map> importMap(const char* imagePath);
