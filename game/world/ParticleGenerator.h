// ParticleGenerator: the current map's weather. Creates rain drops or snow flakes at random
// intervals, steps them and drops those that are done.
#pragma once

#include "Particle.h"
#include "engine/PXTimer.h"

#include <array>
#include <memory>
#include <vector>

class ParticleGenerator {
public:
    static constexpr int kTypeNone = 0;
    static constexpr int kTypeSnow = 1;
    static constexpr int kTypeRain = 2;
    // Display names of the types, by type.
    static constexpr std::array<const char*, 3> NAMES = {"None", "Snow", "Rain"};
    // Larger amounts per generation are cut to this, so no setting can stall the game.
    static constexpr int kMaximumGenerationAmount = 1000;
    // Steps run by setParameters, so a map starts with its weather in full swing.
    static constexpr int kWarmUpTicks = 1000;

    // No weather.
    ParticleGenerator();
    ~ParticleGenerator();
    ParticleGenerator(const ParticleGenerator&) = delete;
    ParticleGenerator& operator=(const ParticleGenerator&) = delete;

    // Starts the weather over: type (0 none, 1 snow, 2 rain, others snow), ticks between
    // generations and particles per generation. Negative delays count as 0 and amounts are cut
    // to 0..kMaximumGenerationAmount; a maximum below the minimum becomes the minimum.
    void setParameters(int type, int delayMin, int delayMax, int generationAmount);
    // One tick: a generation when its timer fires, then every particle steps; nothing without
    // weather.
    void logic();
    // Every particle in list order; nothing without weather.
    void draw();

    // The settings in use.
    int type() const { return _type; }
    int delayMin() const { return _delayMin; }
    int delayMax() const { return _delayMax; }
    int generationAmount() const { return _generationAmount; }
    // How many particles are alive.
    int numberOfParticles() const { return static_cast<int>(_particles.size()); }

private:
    void generate();

    std::vector<std::unique_ptr<Particle>> _particles;
    int _type = kTypeNone;
    PXTimer _generationTimer;
    int _delayMin = 0;
    int _delayMax = 0;
    int _generationAmount = 0;
};

// The weather of the current map. Created by init().
extern ParticleGenerator* globalParticleGenerator;
