#include "PngWriter.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <zlib.h>

namespace {

int bytesPerPixel(PngColorType colorType) {
    switch (colorType) {
    case PngColorType::RGB:
        return 3;
    case PngColorType::Palette:
        return 1;
    case PngColorType::RGBA:
        return 4;
    }
    throw std::invalid_argument("unknown PNG colour type");
}

void appendBigEndian(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<unsigned char>(value >> shift));
    }
}

void appendChunk(std::vector<unsigned char>& file, const char* type,
                 const std::vector<unsigned char>& data) {
    std::vector<unsigned char> typeAndData(type, type + 4);
    typeAndData.insert(typeAndData.end(), data.begin(), data.end());
    appendBigEndian(file, static_cast<uint32_t>(data.size()));
    file.insert(file.end(), typeAndData.begin(), typeAndData.end());
    appendBigEndian(file, static_cast<uint32_t>(
                              crc32(0, typeAndData.data(), static_cast<uInt>(typeAndData.size()))));
}

std::vector<unsigned char> header(const PngImage& image) {
    std::vector<unsigned char> data;
    appendBigEndian(data, static_cast<uint32_t>(image.width));
    appendBigEndian(data, static_cast<uint32_t>(image.height));
    const unsigned char bitDepth = 8;
    const unsigned char compressionFilterInterlace[] = {0, 0, 0};
    data.push_back(bitDepth);
    data.push_back(static_cast<unsigned char>(image.colorType));
    data.insert(data.end(), std::begin(compressionFilterInterlace),
                std::end(compressionFilterInterlace));
    return data;
}

// Every row gets filter type 0 (none) in front.
std::vector<unsigned char> compressedRows(const PngImage& image) {
    const size_t rowBytes = static_cast<size_t>(image.width) * bytesPerPixel(image.colorType);
    if (image.pixels.size() != rowBytes * image.height) {
        throw std::invalid_argument("pixel data does not match the image size");
    }
    std::vector<unsigned char> raw;
    for (int row = 0; row < image.height; row++) {
        raw.push_back(0);
        raw.insert(raw.end(), image.pixels.begin() + row * rowBytes,
                   image.pixels.begin() + (row + 1) * rowBytes);
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> compressed(size);
    if (compress2(compressed.data(), &size, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_SPEED) != Z_OK) {
        throw std::runtime_error("zlib could not compress the PNG rows");
    }
    compressed.resize(size);
    return compressed;
}

} // namespace

PngImage solidPng(int width, int height, PngColorType colorType, unsigned char r, unsigned char g,
                  unsigned char b, unsigned char a) {
    PngImage image{width, height, colorType, {}, {}};
    std::vector<unsigned char> pixel = {r, g, b, a};
    if (colorType == PngColorType::Palette) {
        image.palette = {r, g, b};
        pixel = {0};
    }
    pixel.resize(bytesPerPixel(colorType));
    for (int i = 0; i < width * height; i++) {
        image.pixels.insert(image.pixels.end(), pixel.begin(), pixel.end());
    }
    return image;
}

void writePng(const std::string& path, const PngImage& image) {
    std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(file, "IHDR", header(image));
    if (image.colorType == PngColorType::Palette) {
        appendChunk(file, "PLTE", image.palette);
    }
    appendChunk(file, "IDAT", compressedRows(image));
    appendChunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}
