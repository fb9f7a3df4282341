// Small concrete world objects for the object tests (the game's own classes come later): a block
// with the base record (header and owner map) and a door-like toggleable that adds a state and
// a label text field, plus helpers that build record bytes.
#pragma once

#include "game/objects/WOToggleable.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectRecord.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// Type codes no game class uses.
constexpr int kTestBlockType = 9001;
constexpr int kTestDoorType = 9005;

// Gives a test class of any base the operations every concrete class must supply: a box of
// the given size at the position, no logic and no drawing.
template <class Base> class Concrete : public Base {
public:
    explicit Concrete(int width = 16, int height = 16) : _width(width), _height(height) {}

    void updateCurrentBBox() override {
        this->getBBox()->setBounds(this->getXPos(), this->getYPos(), this->getXPos() + _width - 1,
                                   this->getYPos() + _height - 1);
    }
    bool save(FILE*) const override { return true; }
    bool load(FILE*) override { return true; }
    void logic() override {}
    void draw() override {}

    // Makes the protected parts reachable from tests.
    using Base::addPropertyFlags;
    using Base::setObjectType;

private:
    int _width;
    int _height;
};

// The base record: header and owner map.
class TestBlock : public Concrete<WorldObject> {
public:
    explicit TestBlock(int width = 16, int height = 16) : Concrete(width, height) {
        setObjectType(kTestBlockType);
    }
    bool save(FILE* stream) const override { return writeHeader(stream) && writeOwnerMap(stream); }
    bool load(FILE* stream) override { return readHeader(stream) && readOwnerMap(stream); }
};

// Header, "State", "Object Label" or 0, owner map, as the game's doors store themselves.
class TestDoor : public Concrete<WOToggleable> {
public:
    TestDoor() { setObjectType(kTestDoorType); }
    bool save(FILE* stream) const override {
        return writeHeader(stream) && writeRecordInteger(stream, _state) &&
               writeRecordText(stream, _label) && writeOwnerMap(stream);
    }
    bool load(FILE* stream) override {
        return readHeader(stream) && readRecordInteger(stream, _state) &&
               readRecordText(stream, _label, kTextFieldSize) && readOwnerMap(stream);
    }
    int isToggleable(int state) override { return state != _state; }
    int toggle(int state) override {
        _state = state;
        return -1;
    }
    void setLabel(const std::string& label) {
        _label[label.copy(_label, kTextFieldSize - 1)] = '\0';
    }
};

// A 16 x 16 object the player can carry (and store, with the storable bit): it toggles being
// held whenever the player asks and counts its logic ticks.
class TestCarriable : public Concrete<WorldObject> {
public:
    explicit TestCarriable(int weight = 0, int flags = WORLD_OBJECT_PROPERTY_STORABLE) {
        setObjectType(kTestBlockType);
        addPropertyFlags(WORLD_OBJECT_PROPERTY_CARRIABLE | flags);
        setWeight(weight);
    }
    int trigger(void* source) override {
        setBeingHeld(isBeingHeld() ? 0 : -1);
        *static_cast<int*>(source) = isBeingHeld();
        return -1;
    }
    BoundingBox getSpriteBBox(int) override { return BoundingBox(0, 0, 15, 15); }
    void logic() override { logicTicks++; }

    int logicTicks = 0;
};

// The bytes the writer puts into a fresh stream; empty (and a failure) when it reports one.
inline std::string bytesWrittenBy(const std::function<bool(FILE*)>& write) {
    const std::unique_ptr<FILE, int (*)(FILE*)> stream(tmpfile(), fclose);
    EXPECT_TRUE(write(stream.get()));
    std::string bytes(static_cast<size_t>(ftell(stream.get())), '\0');
    rewind(stream.get());
    EXPECT_EQ(fread(bytes.data(), 1, bytes.size(), stream.get()), bytes.size());
    return bytes;
}

// What the reader answers for a stream holding the bytes.
inline bool readFromBytes(const std::string& bytes, const std::function<bool(FILE*)>& read) {
    const std::unique_ptr<FILE, int (*)(FILE*)> stream(tmpfile(), fclose);
    fwrite(bytes.data(), 1, bytes.size(), stream.get());
    rewind(stream.get());
    return read(stream.get());
}

// Record bytes: a little-endian 32-bit integer.
inline std::string recordInteger(int value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((static_cast<unsigned int>(value) >> shift) & 0xFF);
    }
    return bytes;
}

// Record bytes: a text as length with zero byte, then the bytes.
inline std::string recordText(const std::string& text) {
    return recordInteger(static_cast<int>(text.size()) + 1) + text + '\0';
}

// Record bytes: a test block at (x, y) owned by the map ("" for none).
inline std::string blockRecord(int x, int y, const std::string& ownerMap) {
    return recordInteger(kTestBlockType) + recordInteger(1) + recordInteger(x) + recordInteger(y) +
           (ownerMap.empty() ? recordInteger(0) : recordText(ownerMap));
}

// Record bytes: a test door.
inline std::string doorRecord(int state, const std::string& label, const std::string& ownerMap) {
    return recordInteger(kTestDoorType) + recordInteger(1) + recordInteger(3) + recordInteger(4) +
           recordInteger(state) + recordText(label) + recordText(ownerMap);
}
