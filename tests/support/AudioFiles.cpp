#include "AudioFiles.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

constexpr int WAV_RATE = 22050;
constexpr int WAV_BITS = 16;
constexpr int WAV_HALF_PERIOD = 25;
constexpr std::int16_t WAV_AMPLITUDE = 8000;

class Bytes {
public:
    void text(const std::string& value, std::size_t width) {
        std::string padded = value;
        padded.resize(width, '\0');
        _data.insert(_data.end(), padded.begin(), padded.end());
    }
    void repeat(std::uint8_t value, std::size_t count) { _data.insert(_data.end(), count, value); }
    void u8(std::uint8_t value) { _data.push_back(value); }
    void le16(std::uint32_t value) {
        u8(value & 0xFF);
        u8((value >> 8) & 0xFF);
    }
    void le32(std::uint32_t value) {
        le16(value & 0xFFFF);
        le16(value >> 16);
    }
    void be16(std::uint32_t value) {
        u8((value >> 8) & 0xFF);
        u8(value & 0xFF);
    }

    void save(const std::string& path) const {
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(_data.data()),
                   static_cast<std::streamsize>(_data.size()));
        if (!file) {
            throw std::runtime_error("cannot write " + path);
        }
    }

private:
    std::vector<std::uint8_t> _data;
};

// Protracker sample header: name, length and loop in 16-bit words, finetune, volume.
void modSample(Bytes& out, const std::string& name, int words, int volume, int loopWords) {
    out.text(name, 22);
    out.be16(words);
    out.u8(0);
    out.u8(volume);
    out.be16(0);
    out.be16(loopWords);
}

// One pattern: channel 0 plays sample 1 on every eighth row, climbing a C major scale.
// A note cell holds the period in 12 bits and the sample number split across two nibbles.
void modPattern(Bytes& out) {
    constexpr std::array<int, 8> periods = {428, 381, 339, 320, 285, 254, 226, 214};
    constexpr int rows = 64;
    constexpr int channels = 4;
    for (int row = 0; row < rows; row++) {
        if (row % 8 == 0) {
            out.be16(periods[row / 8]);
            out.u8(0x10);
            out.u8(0);
        } else {
            out.repeat(0, 4);
        }
        out.repeat(0, 4 * (channels - 1));
    }
}

} // namespace

void writeWav(const std::string& path, double seconds) {
    const auto frames = static_cast<std::uint32_t>(seconds * WAV_RATE);
    const std::uint32_t dataBytes = frames * (WAV_BITS / 8);
    Bytes out;
    out.text("RIFF", 4);
    out.le32(36 + dataBytes);
    out.text("WAVEfmt ", 8);
    out.le32(16);
    out.le16(1);
    out.le16(1);
    out.le32(WAV_RATE);
    out.le32(WAV_RATE * (WAV_BITS / 8));
    out.le16(WAV_BITS / 8);
    out.le16(WAV_BITS);
    out.text("data", 4);
    out.le32(dataBytes);
    for (std::uint32_t i = 0; i < frames; i++) {
        const bool high = (i / WAV_HALF_PERIOD) % 2 == 0;
        out.le16(static_cast<std::uint16_t>(high ? WAV_AMPLITUDE : -WAV_AMPLITUDE));
    }
    out.save(path);
}

void writeMod(const std::string& path) {
    constexpr int sampleWords = 16;
    constexpr int emptySamples = 30;
    Bytes out;
    out.text("tune", 20);
    modSample(out, "sq", sampleWords, 64, sampleWords);
    for (int i = 0; i < emptySamples; i++) {
        modSample(out, "", 0, 0, 1);
    }
    // A song of one position playing pattern 0; 127 is the customary restart byte.
    out.u8(1);
    out.u8(127);
    out.repeat(0, 128);
    out.text("M.K.", 4);
    modPattern(out);
    out.repeat(0x40, sampleWords);
    out.repeat(0xC0, sampleWords);
    out.save(path);
}

void writeOgg(const std::string& path, double seconds) {
    const std::string command = "sox -n -r 22050 -c 2 '" + path + "' synth " +
                                std::to_string(seconds) + " sine 440 vol 0.3";
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("sox could not write " + path + " (is sox installed?)");
    }
}
