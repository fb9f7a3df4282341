#include "GLTestFixture.h"

#include "engine/Paxtor.h"

#include <GL/gl.h>
#include <ostream>

std::ostream& operator<<(std::ostream& out, const RGBA& pixel) {
    return out << "(" << pixel.r << ", " << pixel.g << ", " << pixel.b << ", " << pixel.a << ")";
}

void GLTestFixture::SetUp() {
    ASSERT_TRUE(PXInit()) << PXError();
    ASSERT_TRUE(PXVideoMode2D(kWidth, kHeight, 0)) << PXError();
}

void GLTestFixture::TearDown() {
    PXDeInit();
}

void GLTestFixture::clearTo(int r, int g, int b) {
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

RGBA GLTestFixture::pixelAt(int x, int y) {
    unsigned char pixel[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}
