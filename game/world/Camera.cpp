#include "Camera.h"

Camera* globalCamera = nullptr;

void Camera::setPosition(int x, int y) {
    _x = x;
    _y = y;
}
