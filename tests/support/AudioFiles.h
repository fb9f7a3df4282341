// Sound and music files that audio tests make for themselves. Each writer throws
// std::runtime_error when it cannot write the file.
#pragma once

#include <string>

// A mono 16-bit PCM WAV file of a square wave at 22050 Hz.
void writeWav(const std::string& path, double seconds);
// A 4-channel Protracker module: one looped square-wave sample playing a scale.
void writeMod(const std::string& path);
// An Ogg Vorbis stereo sine tone, encoded by sox.
void writeOgg(const std::string& path, double seconds);
