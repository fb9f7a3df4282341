#include "ThoughtBubble.h"

#include "engine/PXInit.h"
#include "engine/PXRandom.h"
#include "engine/PXTexture.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/core/Sprite.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <new>

namespace {

constexpr int kDotTimeoutMin = 5;
constexpr int kDotTimeoutMax = 10;
// The cloud hangs this far right of the tail and this far above it.
constexpr int kCloudOffsetX = 16;
constexpr int kCloudOffsetY = 7;
// The cloud's edge, and the room it leaves around the picture.
constexpr int kBorder = 3;
constexpr int kPictureMargin = 2 * kBorder;

// One tail dot: its rectangle in the image and where it sits relative to the tail's position.
struct TailDot {
    int srcX1;
    int srcY1;
    int srcX2;
    int srcY2;
    int offsetX;
    int offsetY;
};

constexpr TailDot kTail[] = {
    {13, 13, 16, 16, 0, 0},
    {7, 12, 11, 16, 4, -2},
    {0, 10, 6, 16, 9, -7},
};

// One row or column of the cloud's nine-slice: where its source starts in the image, how thick
// the source is, where it goes and how far it stretches.
struct Slice {
    int source;
    int sourceSize;
    int position;
    int size;
};

std::array<Slice, 3> slices(int start, int length) {
    return {{{0, kBorder, start, kBorder},
             {4, 1, start + kBorder, length - 2 * kBorder},
             {6, kBorder, start + length - kBorder, kBorder}}};
}

int floorHalf(int value) {
    return static_cast<int>(std::floor(value / 2.0));
}

// The value of the two whose magnitude is larger; the first wins a tie.
int largerMagnitude(int first, int second) {
    return std::abs(second) > std::abs(first) ? second : first;
}

} // namespace

ThoughtBubble::ThoughtBubble() : _image(ResourceManager::instance()->texture("thoughtBubble.png")) {
    // Without its image the bubble still sizes itself but draws nothing, so its owners (the
    // player, the inhabitants) can be made where there is no data tree, as in the map compiler.
    if (_image == nullptr) {
        globalLog->write("Unable to instantiate ThoughtBubble.\n");
    }
    for (Dot& dot : _dots) {
        dot.timer.setMinMaxTimeout(kDotTimeoutMin, kDotTimeoutMax);
    }
}

ThoughtBubble::~ThoughtBubble() = default;

void ThoughtBubble::setPos(int x, int y) {
    _x = x;
    _y = y;
}

void ThoughtBubble::setWidth(int width) {
    _width = width < kMinimumSize ? kMinimumSize : width;
}

void ThoughtBubble::setHeight(int height) {
    _height = height < kMinimumSize ? kMinimumSize : height;
}

int ThoughtBubble::width() const {
    return _width;
}

int ThoughtBubble::height() const {
    return _height;
}

void ThoughtBubble::setSprite(const char* fileName) {
    _sprite.reset();
    _pictureShown = false;
    try {
        _sprite = std::make_unique<Sprite>();
    } catch (const std::bad_alloc&) {
        globalLog->write("Couldn't set sprite with name: %s\n", fileName ? fileName : "");
        throw;
    }
    // A sprite whose load failed must not be used, so the bubble goes without one.
    if (fileName == nullptr || !_sprite->load(fileName)) {
        globalLog->write("Couldn't load sprite: %s\n", fileName ? fileName : "");
        _sprite.reset();
    }
}

void ThoughtBubble::setSpriteAnimation(const char* name) {
    _pictureShown = _sprite && name != nullptr && _sprite->setCurrentAnimation(name, PX_TRUE);
    if (!_pictureShown) {
        setWidth(kMinimumSize);
        setHeight(kMinimumSize);
        return;
    }
    measureFrames();
}

void ThoughtBubble::measureFrames() {
    int widestOffsetX = 0;
    int widestOffsetY = 0;
    _largestFrameWidth = 0;
    _largestFrameHeight = 0;
    _xOffsetSum = 0;
    _yOffsetSum = 0;
    for (int frame = 0; frame < _sprite->numberOfFrames(); frame++) {
        int frameWidth = 0, frameHeight = 0, xOffset = 0, yOffset = 0;
        _sprite->frameDimensions(frame, &frameWidth, &frameHeight, &xOffset, &yOffset);
        _largestFrameWidth = std::max(_largestFrameWidth, frameWidth);
        _largestFrameHeight = std::max(_largestFrameHeight, frameHeight);
        widestOffsetX = largerMagnitude(widestOffsetX, xOffset);
        widestOffsetY = largerMagnitude(widestOffsetY, yOffset);
        _xOffsetSum += xOffset;
        _yOffsetSum += yOffset;
    }
    setWidth(std::abs(widestOffsetX) + _largestFrameWidth + kPictureMargin);
    setHeight(std::abs(widestOffsetY) + _largestFrameHeight + kPictureMargin);
}

void ThoughtBubble::logic() {
    if (_sprite) {
        _sprite->logic();
    }
    for (Dot& dot : _dots) {
        if (dot.timer.tick()) {
            dot.wobbleX = PXRandomize(-1, 1);
            dot.wobbleY = PXRandomize(-1, 1);
        }
    }
}

void ThoughtBubble::draw() {
    if (_image == nullptr) {
        return;
    }
    const int left = _x + kCloudOffsetX;
    const int top = _y - kCloudOffsetY - _height;
    drawTail();
    drawCloud(left, top);
    drawPicture(left, top);
}

void ThoughtBubble::drawTail() {
    for (size_t index = 0; index < std::size(kTail); index++) {
        const TailDot& dot = kTail[index];
        _image->draw(dot.srcX1, dot.srcY1, dot.srcX2, dot.srcY2,
                     _x + dot.offsetX + _dots[index].wobbleX,
                     _y + dot.offsetY + _dots[index].wobbleY, 1.0f, 1.0f, 0, 0, PX_TRUE);
    }
}

void ThoughtBubble::drawCloud(int left, int top) {
    for (const Slice& row : slices(top, _height)) {
        for (const Slice& column : slices(left, _width)) {
            _image->draw(column.source, row.source, column.source + column.sourceSize,
                         row.source + row.sourceSize, column.size, row.size, column.position,
                         row.position, 1.0f, 1.0f, 0, 0, PX_TRUE);
        }
    }
}

void ThoughtBubble::drawPicture(int left, int top) {
    if (!_pictureShown) {
        return;
    }
    _sprite->draw(left + _width / 2 - _largestFrameWidth / 2 - floorHalf(_xOffsetSum),
                  top + _height / 2 - _largestFrameHeight / 2 - floorHalf(_yOffsetSum));
}
