#include "Particle.h"

void Particle::setPos(int x, int y) {
    _x = x;
    _y = y;
}
