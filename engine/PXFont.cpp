#include "PXFont.h"

#include "PXInit.h"

#include <FTGL/ftgl.h>
#include <GL/gl.h>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <new>

namespace {

constexpr int PX_FONT_DEFAULT_SIZE = 10;
constexpr unsigned int PX_FONT_RESOLUTION = 72;

std::unique_ptr<FTFont> openFace(const char* path, int mode) {
    if (mode == PX_FONT_MODE_POLYGON) {
        return std::make_unique<FTPolygonFont>(path);
    }
    return std::make_unique<FTTextureFont>(path);
}

} // namespace

float _PXFontFullHeight(float ascender, float descender) {
    return ascender + std::fabs(std::trunc(descender));
}

PXFont::PXFont() {
    throw std::bad_alloc();
}

PXFont::PXFont(const char* path, int mode)
    : _path(path),
      _mode(mode == PX_FONT_MODE_POLYGON ? PX_FONT_MODE_POLYGON : PX_FONT_MODE_TEXTURE) {
    setSize(PX_FONT_DEFAULT_SIZE);
}

PXFont::~PXFont() = default;

bool PXFont::faceUsable() const {
    return _face != nullptr;
}

// FTGL crashes when sizing a face it could not open; a refused size leaves the face without
// glyphs, so it is not kept.
int PXFont::setSize(int size) {
    std::unique_ptr<FTFont>& face = _faces[size];
    if (face == nullptr) {
        face = openFace(_path.c_str(), _mode);
        if (face->Error() != 0 ||
            !face->FaceSize(static_cast<unsigned int>(size), PX_FONT_RESOLUTION)) {
            _faces.erase(size);
            _face = nullptr;
            _PXSetError("Unable to set font face size");
            return PX_FALSE;
        }
    }
    _face = face.get();
    _size = size;
    return PX_TRUE;
}

void PXFont::stringBounds(const char* text, float& width, float& height) const {
    if (!faceUsable()) {
        width = 0;
        height = 0;
        return;
    }
    const FTBBox box = _face->BBox(text);
    width = box.Upper().Xf() - box.Lower().Xf();
    height = box.Upper().Yf() - box.Lower().Yf();
}

float PXFont::lineHeight() const {
    return faceUsable() ? _face->LineHeight() : 0;
}

float PXFont::ascender() const {
    return faceUsable() ? _face->Ascender() : 0;
}

float PXFont::descender() const {
    return faceUsable() ? _face->Descender() : 0;
}

float PXFont::advance(const char* text) const {
    return faceUsable() ? _face->Advance(text) : 0;
}

float PXFont::fullHeight() const {
    return _PXFontFullHeight(ascender(), descender());
}

void PXFont::print(int x, int y, float r, float g, float b, float a, const char* format, ...) {
    if (!faceUsable()) {
        return;
    }
    std::array<char, PX_FONT_PRINT_BUFFER_SIZE> text{};
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text.data(), text.size(), format, arguments);
    va_end(arguments);

    const bool polygon = _mode == PX_FONT_MODE_POLYGON;
    glPushMatrix();
    glColor4f(r, g, b, a);
    if (polygon) {
        glDisable(GL_TEXTURE_2D);
    }
    // The face draws upwards from its baseline with y growing up; the baseline sits one ascender
    // below the top of the line box, and the half turn about x matches the y-down projection.
    glTranslatef(static_cast<float>(x), static_cast<float>(y) + ascender(), 0);
    glRotatef(180, 1, 0, 0);
    _face->Render(text.data());
    if (polygon) {
        glEnable(GL_TEXTURE_2D);
    }
    glPopMatrix();
}
