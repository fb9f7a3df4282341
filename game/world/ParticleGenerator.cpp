#include "ParticleGenerator.h"

#include "RainParticle.h"
#include "SnowParticle.h"
#include "game/core/Log.h"

#include <algorithm>

ParticleGenerator* globalParticleGenerator = nullptr;

namespace {

int usableDelay(int delay, const char* which) {
    if (delay >= 0) {
        return delay;
    }
    globalLog->write("Weather delay %s %d is negative; 0 is used.\n", which, delay);
    return 0;
}

int usableAmount(int amount) {
    if (amount <= ParticleGenerator::kMaximumGenerationAmount) {
        return std::max(amount, 0);
    }
    globalLog->write("Weather generation amount %d is too large; %d is used.\n", amount,
                     ParticleGenerator::kMaximumGenerationAmount);
    return ParticleGenerator::kMaximumGenerationAmount;
}

} // namespace

ParticleGenerator::ParticleGenerator() {
    setParameters(kTypeNone, 0, 0, 0);
}

ParticleGenerator::~ParticleGenerator() = default;

void ParticleGenerator::setParameters(int type, int delayMin, int delayMax, int generationAmount) {
    _type = type;
    _particles.clear();
    _delayMin = usableDelay(delayMin, "minimum");
    _delayMax = std::max(usableDelay(delayMax, "maximum"), _delayMin);
    // A fresh timer, so the old weather's count does not carry over.
    _generationTimer = PXTimer();
    _generationTimer.setMinMaxTimeout(_delayMin, _delayMax);
    _generationAmount = usableAmount(generationAmount);
    for (int tick = 0; tick < kWarmUpTicks; tick++) {
        logic();
    }
}

void ParticleGenerator::logic() {
    if (_type == kTypeNone) {
        return;
    }
    if (_generationTimer.tick()) {
        generate();
    }
    for (const auto& particle : _particles) {
        particle->logic();
    }
    std::erase_if(_particles, [](const auto& particle) { return particle->shouldBeReaped() != 0; });
}

void ParticleGenerator::generate() {
    for (int count = 0; count < _generationAmount; count++) {
        if (_type == kTypeRain) {
            _particles.push_back(std::make_unique<RainParticle>());
        } else {
            _particles.push_back(std::make_unique<SnowParticle>());
        }
    }
}

void ParticleGenerator::draw() {
    if (_type == kTypeNone) {
        return;
    }
    for (const auto& particle : _particles) {
        particle->draw();
    }
}
