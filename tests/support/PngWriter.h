// A minimal PNG writer so tests can make the exact images they need.
#pragma once

#include <string>
#include <vector>

// PNG colour types the writer supports; 8 bits per channel or index.
enum class PngColorType { RGB = 2, Palette = 3, RGBA = 6 };

struct PngImage {
    int width = 0;
    int height = 0;
    PngColorType colorType = PngColorType::RGBA;
    // Rows top first, without filter bytes: 4, 3 or 1 (palette index) bytes per pixel.
    std::vector<unsigned char> pixels;
    // RGB triples, for the palette type only.
    std::vector<unsigned char> palette;
};

// An image of one colour; channels beyond the colour type's count are ignored, and a palette
// image gets a one-entry palette of that colour.
PngImage solidPng(int width, int height, PngColorType colorType, unsigned char r = 255,
                  unsigned char g = 255, unsigned char b = 255, unsigned char a = 255);

// Writes the image as a PNG file; throws std::runtime_error when it cannot.
void writePng(const std::string& path, const PngImage& image);
