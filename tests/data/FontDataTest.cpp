// The generated fonts drawn by the engine's own PXFont, polygon and texture kinds alike, compared
// with the pixel grids they were made from (assets/fonts/pixelfont.txt).
#include "engine/Paxtor.h"
#include "tests/support/GLTestFixture.h"

#include <GL/gl.h>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int kFirstCharacter = 32;
constexpr int kLastCharacter = 126;
// The source grid: 5 x 9 cells, 7 rows above the baseline; each glyph advances 6 cells.
constexpr int kGridWidth = 5;
constexpr int kGridHeight = 9;
constexpr int kRowsAboveBaseline = 7;
constexpr int kAdvanceCells = 6;

struct FontFile {
    const char* name;
    int emCells;      // glyph cells per em: a size of emCells pixels draws one pixel per cell
    int ascentCells;  // the line box above the baseline
    int descentCells; // and below it
};

constexpr FontFile kC64{"c64.ttf", 10, 8, 2};
constexpr FontFile kSkia{"Skia.ttf", 10, 8, 2};
constexpr FontFile kEditor{"Editor.ttf", 12, 9, 3};

// Division rounding down, for pixel offsets left of or above a glyph's origin.
int floorDivide(int value, int divisor) {
    return value >= 0 ? value / divisor : -((divisor - 1 - value) / divisor);
}

std::string fontPath(const FontFile& font) {
    return std::string(CORVANE_DATA_DIR) + "/fonts/" + font.name;
}

// The design: each character's rows of '#' (ink) and '.' (paper), top row first.
using Design = std::map<int, std::vector<std::string>>;

const Design& design() {
    static const Design glyphs = [] {
        Design read;
        std::ifstream source(CORVANE_FONT_SOURCE);
        std::string line;
        std::vector<std::string>* current = nullptr;
        while (std::getline(source, line)) {
            if (line.rfind("== ", 0) == 0) {
                current = &read[std::stoi(line.substr(3), nullptr, 16)];
            } else if (current != nullptr && !line.empty() && line[0] != ';') {
                current->push_back(line);
            }
        }
        return read;
    }();
    return glyphs;
}

// One read of the whole back buffer; drawing is white on black.
class Frame {
public:
    Frame() : _pixels(kWidth * kHeight * 4) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, _pixels.data());
    }
    // Red channel, top-left origin; 0 outside the window.
    int at(int x, int y) const {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) {
            return 0;
        }
        return _pixels[((kHeight - 1 - y) * kWidth + x) * 4];
    }
    int inkIn(int left, int top, int right, int bottom) const {
        int ink = 0;
        for (int y = top; y < bottom; y++) {
            for (int x = left; x < right; x++) {
                ink += at(x, y) > 0;
            }
        }
        return ink;
    }

private:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    std::vector<unsigned char> _pixels;
};

class FontDataTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        ASSERT_EQ(design().size(), static_cast<size_t>(kLastCharacter - kFirstCharacter + 1))
            << "every printable character in " << CORVANE_FONT_SOURCE;
        clearTo(0, 0, 0);
    }

    struct Slot {
        int character;
        int x;
        int y;
    };

    // Prints every printable character on its own, each at the top left of its slot, rows of 16.
    static std::vector<Slot> printEveryCharacter(PXFont& font, int slotWidth, int slotHeight) {
        std::vector<Slot> slots;
        for (int character = kFirstCharacter; character <= kLastCharacter; character++) {
            const int index = character - kFirstCharacter;
            const Slot slot{character, 4 + index % 16 * slotWidth, 4 + index / 16 * slotHeight};
            const char text[2] = {static_cast<char>(character), 0};
            font.print(slot.x, slot.y, 1, 1, 1, 1, "%s", text);
            slots.push_back(slot);
        }
        return slots;
    }

    static bool inkInDesign(int character, int column, int row) {
        const std::vector<std::string>& rows = design().at(character);
        return column >= 0 && column < kGridWidth && row >= 0 && row < kGridHeight &&
               rows[row][column] == '#';
    }
};

// At the sizes the game draws with whole pixels per cell (c64 10 and 40, Skia 10, Editor 12), both
// font kinds reproduce the design exactly: every pixel of every character's line box is full ink
// or paper, as its cell says, with no holes from tessellation and no blur from filtering.
struct ExactCase {
    FontFile font;
    int mode;
    int size;
};

void PrintTo(const ExactCase& exact, std::ostream* out) {
    *out << exact.font.name << (exact.mode == PX_FONT_MODE_POLYGON ? " polygon " : " texture ")
         << exact.size;
}

class FontDrawsTheDesignExactly : public FontDataTest,
                                  public ::testing::WithParamInterface<ExactCase> {};

TEST_P(FontDrawsTheDesignExactly, InEveryPixelOfEveryPrintableCharacter) {
    const auto [file, mode, size] = GetParam();
    PXFont font(fontPath(file).c_str(), mode);
    ASSERT_TRUE(font.setSize(size)) << fontPath(file) << ": " << PXError();
    const int cell = size / file.emCells;
    ASSERT_EQ(cell * file.emCells, size);

    EXPECT_EQ(font.ascender(), file.ascentCells * cell);
    EXPECT_EQ(font.descender(), -file.descentCells * cell);
    EXPECT_EQ(font.fullHeight(), size);
    EXPECT_EQ(font.advance("H"), kAdvanceCells * cell);
    EXPECT_EQ(font.advance(" "), kAdvanceCells * cell);

    const int boxWidth = kAdvanceCells * cell;
    const int boxHeight = (file.ascentCells + file.descentCells) * cell;
    const std::vector<Slot> slots =
        printEveryCharacter(font, boxWidth + 2 * cell, boxHeight + cell);
    const Frame frame;
    for (const Slot& slot : slots) {
        int wrongPixels = 0;
        int inkPixels = 0;
        // One cell of margin around the line box must stay clear too.
        for (int y = -cell; y < boxHeight + cell; y++) {
            for (int x = -cell; x < boxWidth + cell; x++) {
                const int row =
                    floorDivide(y - (file.ascentCells - kRowsAboveBaseline) * cell, cell);
                const bool ink = inkInDesign(slot.character, floorDivide(x, cell), row);
                const int red = frame.at(slot.x + x, slot.y + y);
                wrongPixels += red != (ink ? 255 : 0);
                inkPixels += ink;
            }
        }
        EXPECT_EQ(wrongPixels, 0) << "'" << static_cast<char>(slot.character) << "' at size "
                                  << size << " differs from its design";
        EXPECT_EQ(inkPixels > 0, slot.character != ' ')
            << "'" << static_cast<char>(slot.character) << "' has no ink in its design";
    }
}

INSTANTIATE_TEST_SUITE_P(GameSizes, FontDrawsTheDesignExactly,
                         ::testing::Values(ExactCase{kC64, PX_FONT_MODE_POLYGON, 10},
                                           ExactCase{kC64, PX_FONT_MODE_TEXTURE, 10},
                                           ExactCase{kC64, PX_FONT_MODE_POLYGON, 40},
                                           ExactCase{kC64, PX_FONT_MODE_TEXTURE, 40},
                                           ExactCase{kSkia, PX_FONT_MODE_POLYGON, 10},
                                           ExactCase{kSkia, PX_FONT_MODE_TEXTURE, 10},
                                           ExactCase{kEditor, PX_FONT_MODE_POLYGON, 12},
                                           ExactCase{kEditor, PX_FONT_MODE_TEXTURE, 12}),
                         [](const ::testing::TestParamInfo<ExactCase>& info) {
                             const std::string name = info.param.font.name;
                             return name.substr(0, name.find('.')) +
                                    (info.param.mode == PX_FONT_MODE_POLYGON ? "Polygon"
                                                                             : "Texture") +
                                    std::to_string(info.param.size);
                         });

// At every other size the game asks c64.ttf for, cells cover fractions of pixels. The polygon font
// (the resource manager's kind) still draws every character inside its line box, and where a cell
// is at least a pixel wide, the pixel at its centre is ink exactly where the design has ink: stems
// and bars tessellate without holes (at size 16, for example, a cell is 1.6 pixels).
class C64PolygonAtFractionalSizes : public FontDataTest,
                                    public ::testing::WithParamInterface<int> {};

TEST_P(C64PolygonAtFractionalSizes, InksEveryCharacterAndEveryCellCentre) {
    const int size = GetParam();
    PXFont font(fontPath(kC64).c_str(), PX_FONT_MODE_POLYGON);
    ASSERT_TRUE(font.setSize(size)) << PXError();
    const double cell = static_cast<double>(size) / kC64.emCells;

    EXPECT_GT(font.ascender(), 0);
    EXPECT_LT(font.descender(), 0);
    EXPECT_NEAR(font.advance("H"), kAdvanceCells * cell, 0.05);
    const int boxWidth = static_cast<int>(std::ceil(kAdvanceCells * cell));
    const int boxHeight = static_cast<int>(font.fullHeight());
    EXPECT_GE(boxHeight, size);

    const int slotWidth = boxWidth + 4;
    const int slotHeight = boxHeight + 4;
    const std::vector<Slot> slots = printEveryCharacter(font, slotWidth, slotHeight);
    const Frame frame;
    const double baseline = font.ascender();
    for (const Slot& slot : slots) {
        const char shown = static_cast<char>(slot.character);
        const int inside = frame.inkIn(slot.x, slot.y, slot.x + boxWidth, slot.y + boxHeight);
        const int around =
            frame.inkIn(slot.x - 2, slot.y - 2, slot.x + slotWidth - 2, slot.y + slotHeight - 2);
        EXPECT_EQ(inside > 0, shown != ' ') << "'" << shown << "' at size " << size;
        EXPECT_EQ(around, inside) << "'" << shown << "' inks outside its line box at size " << size;
        if (cell < 1) {
            continue;
        }
        for (int row = 0; row < kGridHeight; row++) {
            for (int column = 0; column < kGridWidth; column++) {
                const double centreX = (column + 0.5) * cell;
                const double centreY = baseline - (kRowsAboveBaseline - row - 0.5) * cell;
                const int red = frame.at(slot.x + static_cast<int>(std::floor(centreX)),
                                         slot.y + static_cast<int>(std::floor(centreY)));
                EXPECT_EQ(red, inkInDesign(slot.character, column, row) ? 255 : 0)
                    << "'" << shown << "' cell (" << column << ", " << row << ") at size " << size;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(GameSizes, C64PolygonAtFractionalSizes,
                         ::testing::Values(9, 12, 14, 16, 22, 25, 26, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Size" + std::to_string(info.param);
                         });

} // namespace
