// WOTeleport: a pad that a switch or condition checker lights through its label. Once lit it
// hums, and a player stepping into its core with empty hands vanishes, reappears at its
// destination (another map as a rule) and arrives there with the teleport-in animation.
#pragma once

#include "WOToggleable.h"
#include "game/core/Sprite.h"

class PXSound;

class WOTeleport : public WOToggleable {
public:
    // Size of the destination map name buffer, zero byte included.
    static constexpr int kDestinationSize = 1024;

    // Type 111, version 2, around the player, dark, without destination.
    WOTeleport();

    // True while it is neither lighting up nor lit.
    int isToggleable(int state) override;
    // Starts lighting up; always taken.
    int toggle(int state) override;
    // Writes header, owner map, "State", "Object Label", the lighting-up and lit flags and the
    // destination.
    bool save(FILE* stream) const override;
    // Reads what save wrote; a teleport saved lit or lighting up lights up again.
    bool load(FILE* stream) override;
    // Lights up, hums, and sends the player on.
    void logic() override;
    // The back, then the front.
    void draw() override;
    // The pad's lip, drawn after the player.
    void drawFront() override;
    // The arch and the pad, drawn before the player.
    void drawBack() override;
    // Box 0 of the back sprite's frame at the position.
    void updateCurrentBBox() override;
    // Clicks a bulb on each frame of the light-up and turns lit once it has run.
    void forceStateUpdate() override;

    // True (-1) while the light-up runs.
    int isLightingUp() const { return _lightingUp; }
    // True (-1) once lit.
    int isLit() const { return _lit; }
    // The destination map name; empty for none.
    const char* destination() const { return _destination; }
    int destinationX() const { return _destinationX; }
    int destinationY() const { return _destinationY; }
    // Copies the map name, cut to kDestinationSize - 1 characters.
    void setDestination(const char* mapName);
    // Where the player lands in the destination map.
    void setDestinationPosition(int x, int y);

private:
    // Starts the hum, at the volume the player's distance gives, whenever it has stopped.
    void humLogic();
    // Starts the teleport-out when the player steps into the core, then changes the map once it
    // has run.
    void playerLogic();
    // The map change, or the way back in when the destination cannot be had.
    void sendPlayerToDestination();
    // Whether the player's core column touches the pad's core column.
    bool playerInCore() const;
    // Plays the sample at the volume the player's distance gives.
    void playByDistance(PXSound* sound) const;
    void drawSprite(Sprite& sprite) const;

    Sprite _front;
    Sprite _back;
    PXSound* _bulb = nullptr;
    PXSound* _hum = nullptr;
    int _lastFrame = -1;
    int _lightingUp = 0;
    int _lit = 0;
    char _destination[kDestinationSize] = {};
    int _destinationX = 0;
    int _destinationY = 0;
    int _activated = 0;
    int _arrived = 0;
};
