// The view onto the world: the world pixel shown at the top-left of the logical screen.
#pragma once

// What the camera can follow: the player and world objects.
class CameraTargetable {
public:
    virtual ~CameraTargetable() = default;
};

class Camera {
public:
    Camera() = default;

    int getXPos() const { return _x; }
    int getYPos() const { return _y; }
    // Moves the view's top-left corner to the world position.
    void setPosition(int x, int y);
    // Follows the target (not owned); null follows nothing.
    void setTarget(CameraTargetable* target) { _target = target; }
    CameraTargetable* getTarget() const { return _target; }

private:
    int _x = 0;
    int _y = 0;
    CameraTargetable* _target = nullptr;
};

extern Camera* globalCamera;
