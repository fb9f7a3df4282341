#include "Sprite.h"

#include "Log.h"
#include "ResourceManager.h"
#include "SpriteAnimation.h"
#include "engine/PXFileSystem.h"
#include "engine/PXInit.h"
#include "engine/PXTexture.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <span>
#include <sys/stat.h>

namespace {

using SpriteDataCache = std::map<std::string, std::string>;
using AnimationMap = std::map<std::string, std::unique_ptr<Sprite::Animation>>;

// Every definition text read this run, keyed by the name given to load; never emptied.
std::unique_ptr<SpriteDataCache> _spriteDataCache;

constexpr size_t kLineLength = 511;
constexpr int kNameBufferSize = 512;
constexpr int kVersion = 1;
constexpr int kTextureFlipLeftRight = 2;
constexpr int kTextureFlipTopBottom = 4;

constexpr std::string_view kVersionKeyword = "VERSION: ";
constexpr std::string_view kImageKeyword = "IMAGE: ";
constexpr std::string_view kLoopKeyword = "LOOP: ";
constexpr std::string_view kFrameCountKeyword = "NUMBER_OF_FRAMES: ";
constexpr std::string_view kFrameCoordsKeyword = "FRAME_COORDS: ";
constexpr std::string_view kDelayKeyword = "DELAY: ";
constexpr std::string_view kBoxCountKeyword = "NUMBER_OF_BOUNDING_BOXES: ";
constexpr std::string_view kBoxCoordsKeyword = "BBOX_COORDS: ";

int saturated(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A decimal integer read like atoi (blanks, optional sign, digits), saturated to 32 bits.
int readInteger(std::string_view text) {
    // One past INT_MAX, so INT_MIN stays reachable and value * 10 + 9 cannot overflow.
    constexpr long long kMagnitudeLimit = 1LL + INT_MAX;
    size_t position = 0;
    while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position]))) {
        position++;
    }
    const bool negative = position < text.size() && text[position] == '-';
    if (position < text.size() && (text[position] == '-' || text[position] == '+')) {
        position++;
    }
    long long magnitude = 0;
    for (; position < text.size() && std::isdigit(static_cast<unsigned char>(text[position]));
         position++) {
        magnitude = std::min(magnitude * 10 + (text[position] - '0'), kMagnitudeLimit);
    }
    return saturated(negative ? -magnitude : magnitude);
}

// Fills values from the comma-separated text; returns how many values the text holds.
size_t readIntegerList(std::string_view text, std::span<int> values) {
    size_t count = 0;
    for (;;) {
        const size_t comma = text.find(',');
        if (count < values.size()) {
            values[count] = readInteger(text.substr(0, comma));
        }
        count++;
        if (comma == std::string_view::npos) {
            return count;
        }
        text.remove_prefix(comma + 1);
    }
}

// Keyword lines carry their value after the line's first space, wherever the keyword stands.
std::string_view valueOf(std::string_view line) {
    return line.substr(line.find(' ') + 1);
}

// The keyword without its trailing space, as messages name it.
int printedLength(std::string_view keyword) {
    return static_cast<int>(keyword.size() - 1);
}

// Keywords may stand anywhere in the line; a missing one is logged.
bool hasKeyword(std::string_view line, std::string_view keyword) {
    if (line.find(keyword) != std::string_view::npos) {
        return true;
    }
    globalLog->write("Expecting to find \"%.*s\", but it was not found.\n", printedLength(keyword),
                     keyword.data());
    return false;
}

// Takes the next line off the text: at most kLineLength characters, cut at its comment.
bool nextLine(std::string_view& text, std::string_view& line) {
    if (text.empty()) {
        return false;
    }
    const size_t lineFeed = text.find('\n');
    line = text.substr(0, std::min(lineFeed, kLineLength));
    line = line.substr(0, line.find('#'));
    text.remove_prefix(lineFeed == std::string_view::npos ? text.size() : lineFeed + 1);
    return true;
}

bool isSkipped(std::string_view line) {
    return line.find_first_not_of(' ') == std::string_view::npos;
}

struct SpriteDefinition {
    std::string imageName;
    AnimationMap animations;
};

// The definition grammar as a state machine: each content line must be the one expected next.
class DefinitionParser {
public:
    // True when the text ends right after a complete animation; every failure is logged.
    bool parse(std::string_view text);
    SpriteDefinition& definition() { return _definition; }

private:
    enum class Expect {
        Version,
        Image,
        Header,
        Loop,
        FrameCount,
        FrameCoords,
        Delay,
        BoxCount,
        BoxCoords
    };

    bool readLine(std::string_view line);
    bool readVersion(std::string_view line);
    bool readImage(std::string_view line);
    bool readHeader(std::string_view line);
    bool readLoop(std::string_view line);
    bool readFrameCount(std::string_view line);
    bool readFrameCoords(std::string_view line);
    bool readDelay(std::string_view line);
    bool readBoxCount(std::string_view line);
    bool readBoxCoords(std::string_view line);
    void finishFrame();

    SpriteDefinition _definition;
    std::unique_ptr<Sprite::Animation> _animation;
    Expect _expect = Expect::Version;
    int _frame = 0;
    int _box = 0;
    int _boxesInFrame = 0;
    bool _complete = false;
};

int lineValue(std::string_view line) {
    return readInteger(valueOf(line));
}

// Fills values from the line's list; false (after logging) when the line holds fewer.
bool readList(std::string_view line, std::string_view keyword, std::span<int> values) {
    if (readIntegerList(valueOf(line), values) < values.size()) {
        // The message names the keyword without its colon.
        globalLog->write("Not enough arguments to %.*s\n", printedLength(keyword) - 1,
                         keyword.data());
        return false;
    }
    return true;
}

bool DefinitionParser::parse(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::string_view line;
    while (nextLine(text, line)) {
        if (!isSkipped(line) && !readLine(line)) {
            return false;
        }
    }
    if (!_complete) {
        globalLog->write("File is malformed or does not contain complete information for "
                         "constructing a Sprite\n");
    }
    return _complete;
}

bool DefinitionParser::readLine(std::string_view line) {
    struct Step {
        std::string_view keyword;
        bool (DefinitionParser::*read)(std::string_view);
    };
    // In the order of Expect; the header line has no keyword.
    static constexpr Step kSteps[] = {{kVersionKeyword, &DefinitionParser::readVersion},
                                      {kImageKeyword, &DefinitionParser::readImage},
                                      {{}, &DefinitionParser::readHeader},
                                      {kLoopKeyword, &DefinitionParser::readLoop},
                                      {kFrameCountKeyword, &DefinitionParser::readFrameCount},
                                      {kFrameCoordsKeyword, &DefinitionParser::readFrameCoords},
                                      {kDelayKeyword, &DefinitionParser::readDelay},
                                      {kBoxCountKeyword, &DefinitionParser::readBoxCount},
                                      {kBoxCoordsKeyword, &DefinitionParser::readBoxCoords}};
    const Step& step = kSteps[static_cast<size_t>(_expect)];
    _complete = false;
    if (!step.keyword.empty() && !hasKeyword(line, step.keyword)) {
        return false;
    }
    return (this->*step.read)(line);
}

bool DefinitionParser::readVersion(std::string_view line) {
    if (lineValue(line) != kVersion) {
        globalLog->write("Don't understand version other than '1'\n");
        return false;
    }
    _expect = Expect::Image;
    return true;
}

bool DefinitionParser::readImage(std::string_view line) {
    try {
        _definition.imageName.assign(valueOf(line));
    } catch (const std::bad_alloc&) {
        globalLog->write("Couldn't allocate memory for _image filename");
        return false;
    }
    _expect = Expect::Header;
    return true;
}

bool DefinitionParser::readHeader(std::string_view line) {
    if (line.front() != '[') {
        globalLog->write("Expecting '['. Found: %c", line.front());
        return false;
    }
    const size_t close = line.find(']');
    if (close == std::string_view::npos) {
        globalLog->write("Expected to find ']', but it was not found.\n");
        return false;
    }
    _animation = std::make_unique<Sprite::Animation>();
    const std::string name(line.substr(1, close - 1));
    if (!_animation->setName(name.c_str(), kNameBufferSize)) {
        globalLog->write("Couldn't set Animation name\n");
        return false;
    }
    _expect = Expect::Loop;
    return true;
}

bool DefinitionParser::readLoop(std::string_view line) {
    _animation->setLoop(valueOf(line) == "True" ? PX_TRUE : PX_FALSE);
    _expect = Expect::FrameCount;
    return true;
}

bool DefinitionParser::readFrameCount(std::string_view line) {
    _animation->setNumberOfFrames(lineValue(line));
    _expect = Expect::FrameCoords;
    return true;
}

bool DefinitionParser::readFrameCoords(std::string_view line) {
    std::array<int, 6> coords{};
    if (!readList(line, kFrameCoordsKeyword, coords)) {
        return false;
    }
    _animation->setFrameCoords(_frame, coords[0], coords[1], coords[2], coords[3], coords[4],
                               coords[5]);
    _expect = Expect::Delay;
    return true;
}

bool DefinitionParser::readDelay(std::string_view line) {
    _animation->setFrameDelay(_frame, lineValue(line));
    _expect = Expect::BoxCount;
    return true;
}

bool DefinitionParser::readBoxCount(std::string_view line) {
    _boxesInFrame = lineValue(line);
    // Also fails for a frame beyond an unreadable frame count, which left no frames.
    if (!_animation->setNumberOfBBoxes(_frame, _boxesInFrame)) {
        globalLog->write("Unable to set number of bounding boxes for frame %d\n", _frame);
        return false;
    }
    _box = 0;
    if (_boxesInFrame == 0) {
        finishFrame();
    } else {
        _expect = Expect::BoxCoords;
    }
    return true;
}

bool DefinitionParser::readBoxCoords(std::string_view line) {
    std::array<int, 4> coords{};
    if (!readList(line, kBoxCoordsKeyword, coords)) {
        return false;
    }
    _animation->setBBoxCoords(_frame, _box, coords[0], coords[1], coords[2], coords[3]);
    _box++;
    if (_box == _boxesInFrame) {
        finishFrame();
    }
    return true;
}

void DefinitionParser::finishFrame() {
    _frame++;
    _box = 0;
    if (_frame < _animation->getNumberOfFrames()) {
        _expect = Expect::FrameCoords;
        return;
    }
    // Assigning over a repeated name destroys the earlier animation.
    const std::string name = _animation->getName();
    _definition.animations[name] = std::move(_animation);
    _frame = 0;
    _complete = true;
    _expect = Expect::Header;
}

// Fills content with the whole regular file; false when its size is unknown or a read falls short.
bool readWholeFile(FILE* stream, std::string& content) {
    struct stat status {};
    if (fstat(fileno(stream), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    content.resize(static_cast<size_t>(status.st_size));
    return fread(content.data(), 1, content.size(), stream) == content.size();
}

// How far the texture's mirroring about the sheet's centre moves a frame of [low, high).
long long mirrorCorrection(int sheetSize, int low, int high) {
    return sheetSize - (static_cast<long long>(high) - low);
}

void store(int* output, int value) {
    if (output != nullptr) {
        *output = value;
    }
}

} // namespace

Sprite::Sprite() = default;

Sprite::~Sprite() = default;

int Sprite::load(const char* fileName) {
    const std::string* text = definitionText(fileName);
    if (text == nullptr) {
        globalLog->write("Couldn't load sprite.\n");
        return PX_FALSE;
    }
    return loadFromText(*text);
}

int Sprite::loadFromText(std::string_view text) {
    DefinitionParser parser;
    if (!parser.parse(text)) {
        clearAnimations();
        return PX_FALSE;
    }
    SpriteDefinition& definition = parser.definition();
    _imageName = std::move(definition.imageName);
    replaceAnimations(std::move(definition.animations));
    _image = ResourceManager::instance()->texture(_imageName.c_str());
    if (_image == nullptr) {
        globalLog->write("Error loading Sprite _image\n");
        return PX_FALSE;
    }
    return PX_TRUE;
}

const std::string* Sprite::definitionText(const char* fileName) {
    if (_spriteDataCache == nullptr) {
        globalLog->write("Sprite data cache does not exist. Creating it.\n");
        _spriteDataCache = std::make_unique<SpriteDataCache>();
    }
    globalLog->write("Loading sprite: %s\n", fileName);
    const auto cached = _spriteDataCache->find(fileName);
    if (cached != _spriteDataCache->end()) {
        globalLog->write("Sprite is in the cache. Using cached vesion.\n");
        return &cached->second;
    }
    globalLog->write("Sprite is not in the cache. Adding it.\n");
    return readIntoCache(fileName);
}

const std::string* Sprite::readIntoCache(const char* fileName) {
    const std::string path = ResourceManager::instance()->findFilePath(fileName);
    if (path.empty()) {
        globalLog->write("Couldn't find %s\n", fileName);
        return nullptr;
    }
    _definitionPath = path;
    const PXFileHandle stream = PXOpenFile(path.c_str(), "rb");
    if (stream == nullptr) {
        globalLog->write("Couldn't open %s\n", fileName);
        return nullptr;
    }
    std::string content;
    if (!readWholeFile(stream.get(), content)) {
        globalLog->write("Couldn't read %s\n", fileName);
        return nullptr;
    }
    const auto inserted = _spriteDataCache->emplace(fileName, std::move(content)).first;
    globalLog->write("Sprite cache size: %d\n", static_cast<int>(_spriteDataCache->size()));
    return &inserted->second;
}

int Sprite::setCurrentAnimation(const char* name) {
    const auto found = _animations.find(name);
    if (found == _animations.end()) {
        globalLog->write("Animation named: %s not found in %s\n", name, _definitionPath.c_str());
        return PX_FALSE;
    }
    _currentAnimation = found->second.get();
    _currentFrame = 0;
    // The count is kept: ticks toward the previous frame shorten this animation's first frame.
    _frameTimer.setTimeout(_currentAnimation->delayForFrame(0));
    _finished = PX_FALSE;
    return PX_TRUE;
}

int Sprite::setCurrentAnimation(const char* name, int force) {
    if (!force && _currentAnimation != nullptr) {
        const char* currentName = _currentAnimation->getName();
        if (strncmp(currentName, name, strlen(currentName)) == 0) {
            return PX_TRUE;
        }
    }
    return setCurrentAnimation(name);
}

void Sprite::logic() {
    if (_currentFrame == -1 || !_frameTimer.tick()) {
        return;
    }
    _currentFrame++;
    const int frames = _currentAnimation->getNumberOfFrames();
    if (_currentFrame >= frames) {
        if (_currentAnimation->getLoop()) {
            _currentFrame = 0;
        } else {
            _finished = PX_TRUE;
            _currentFrame = frames - 1;
        }
    }
    _frameTimer.setTimeout(_currentAnimation->delayForFrame(_currentFrame));
    _frameTimer.reset();
}

void Sprite::draw(int x, int y) {
    draw(x, y, 0, 1.0f);
}

void Sprite::draw(int x, int y, int flags) {
    draw(x, y, flags, 1.0f);
}

void Sprite::drawHFlip(int x, int y) {
    draw(x, y, kFlipHorizontal);
}

void Sprite::drawVFlip(int x, int y) {
    draw(x, y, kFlipVertical);
}

void Sprite::drawVHFlip(int x, int y) {
    draw(x, y, kFlipHorizontal | kFlipVertical);
}

void Sprite::draw(int x, int y, int flags, float alpha) {
    if (_currentFrame == -1 || _image == nullptr) {
        return;
    }
    int left = 0, top = 0, right = 0, bottom = 0, xOffset = 0, yOffset = 0;
    _currentAnimation->getFrameCoords(_currentFrame, left, top, right, bottom, xOffset, yOffset);
    long long drawX = static_cast<long long>(x) + xOffset;
    long long drawY = static_cast<long long>(y) + yOffset;
    int textureFlip = 0;
    if (flags & kFlipHorizontal) {
        textureFlip |= kTextureFlipLeftRight;
        drawX -= mirrorCorrection(_image->w(), left, right);
    }
    if (flags & kFlipVertical) {
        textureFlip |= kTextureFlipTopBottom;
        drawY -= mirrorCorrection(_image->h(), top, bottom);
    }
    _image->draw(left, top, right, bottom, saturated(drawX), saturated(drawY), alpha, 1.0f, 0,
                 textureFlip, 1);
}

const BoundingBox* Sprite::getBBox(int index) const {
    return _currentAnimation != nullptr ? _currentAnimation->getBBox(_currentFrame, index)
                                        : nullptr;
}

int Sprite::numberOfFrames() const {
    return _currentAnimation != nullptr ? _currentAnimation->getNumberOfFrames() : 0;
}

void Sprite::frameDimensions(int frame, int* width, int* height, int* xOffset, int* yOffset) const {
    if (_currentAnimation == nullptr) {
        return;
    }
    int left = 0, top = 0, right = 0, bottom = 0, frameXOffset = -1, frameYOffset = -1;
    _currentAnimation->getFrameCoords(frame, left, top, right, bottom, frameXOffset, frameYOffset);
    store(width, saturated(static_cast<long long>(right) - left));
    store(height, saturated(static_cast<long long>(bottom) - top));
    store(xOffset, frameXOffset);
    store(yOffset, frameYOffset);
}

void Sprite::clearAnimations() {
    replaceAnimations({});
}

void Sprite::replaceAnimations(AnimationMap animations) {
    _currentAnimation = nullptr;
    _currentFrame = -1;
    _animations = std::move(animations);
}

const Sprite::Animation* Sprite::getAnimation(const char* name) const {
    const auto found = _animations.find(name);
    return found != _animations.end() ? found->second.get() : nullptr;
}
