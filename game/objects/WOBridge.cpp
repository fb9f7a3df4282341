#include "WOBridge.h"

WOBridge::WOBridge() {
    setObjectType(WORLD_OBJECT_BRIDGE);
    setDrawPosition(kDrawAroundPlayer);
    showSprite("bridge.txt", "front");
    loadSprite(_back, "bridge.txt", "back");
}

void WOBridge::logic() {
    sprite().logic();
    _back.logic();
    updateCurrentBBox();
}

void WOBridge::draw() {
    drawBack();
    drawFront();
}

void WOBridge::drawFront() {
    WOSolid::draw();
}

void WOBridge::drawBack() {
    drawSprite(_back);
}
