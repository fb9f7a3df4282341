#include "EditorMapImporter.h"

#include "game/core/Log.h"
#include "game/world/Map.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

namespace {

struct Pixel {
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    Uint8 a = 0;

    bool isMagenta() const { return r == 255 && g == 0 && b == 255; }
};

// The image's pixels in any format, read without a texture so any size will do.
class ImagePixels {
public:
    explicit ImagePixels(SDL_Surface* surface) : _surface(surface, SDL_FreeSurface) {
        if (_surface) {
            SDL_LockSurface(_surface.get());
        }
    }
    ~ImagePixels() {
        if (_surface) {
            SDL_UnlockSurface(_surface.get());
        }
    }
    ImagePixels(const ImagePixels&) = delete;
    ImagePixels& operator=(const ImagePixels&) = delete;

    bool loaded() const { return _surface != nullptr; }
    int width() const { return _surface->w; }
    int height() const { return _surface->h; }

    Pixel at(int x, int y) const {
        const int bytes = _surface->format->BytesPerPixel;
        const Uint8* source =
            static_cast<const Uint8*>(_surface->pixels) + y * _surface->pitch + x * bytes;
        Uint32 value = 0;
        // The pixel's bytes are a native integer of their own width.
        const int offset = SDL_BYTEORDER == SDL_BIG_ENDIAN ? 4 - bytes : 0;
        std::memcpy(reinterpret_cast<Uint8*>(&value) + offset, source, bytes);
        Pixel pixel;
        SDL_GetRGBA(value, _surface->format, &pixel.r, &pixel.g, &pixel.b, &pixel.a);
        return pixel;
    }

private:
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> _surface;
};

// Where the first magenta mark along the edge stands, or the edge's length without one; at least
// 1, as no map is smaller.
int markedLength(int length, const std::function<Pixel(int)>& pixelAt) {
    for (int position = 0; position < length; position++) {
        if (pixelAt(position).isMagenta()) {
            return std::max(1, position);
        }
    }
    return length;
}

bool growTo(Map& map, int columns, int rows) {
    while (map.getNumberOfColumns() < columns) {
        if (!map.appendColumn()) {
            return false;
        }
    }
    while (map.getNumberOfRows() < rows) {
        if (!map.appendRow()) {
            return false;
        }
    }
    return true;
}

} // namespace

std::unique_ptr<Map> importMap(const char* imagePath) {
    const ImagePixels image(imagePath != nullptr ? IMG_Load(imagePath) : nullptr);
    if (!image.loaded() || image.width() < 1 || image.height() < 1) {
        globalLog->write("Couldn't import %s: not a usable image.\n",
                         imagePath != nullptr ? imagePath : "(none)");
        return nullptr;
    }
    const int columns = markedLength(image.width(), [&image](int x) { return image.at(x, 0); });
    const int rows = markedLength(image.height(), [&image](int y) { return image.at(0, y); });
    auto map = std::make_unique<Map>();
    if (!growTo(*map, columns, rows)) {
        globalLog->write("Couldn't import %s: no memory for a %d x %d map.\n", imagePath, columns,
                         rows);
        return nullptr;
    }
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            if (image.at(column, row).a != 0) {
                map->setTileAt(0, row, column, 1);
            }
        }
    }
    map->setLayerProperties(0, Map::kLayerBlock);
    return map;
}
