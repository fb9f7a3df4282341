// Helpers shared by the fuzz entry points and the seed writers: streams over bytes and whole
// files. Each aborts where a fuzz run could not go on, so the fault shows as a crash.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

// A C stream that closes itself.
using FuzzStream = std::unique_ptr<FILE, int (*)(FILE*)>;

// The fuzz input as a string.
std::string fuzzBytes(const uint8_t* data, size_t size);
// A read stream over the bytes, which must outlive it.
FuzzStream readStreamOver(std::string& bytes);
// What the writer puts into a fresh stream; aborts when it reports a failure.
std::string writtenBytes(const std::function<bool(FILE*)>& write);
// A 32-bit integer as records store it.
std::string recordIntegerBytes(int value);
// The whole file; aborts when it cannot be read.
std::string readWholeFile(const std::string& path);
// Replaces the file with the bytes; false when that failed.
bool writeWholeFile(const std::string& path, const std::string& bytes);
// Replaces the folder with an empty one; aborts when that failed.
void makeEmptyFolder(const std::string& path);
// The seed writers' argument check: the folder given as the only argument, or nothing (usage
// printed) for any other command line.
const char* seedFolderArgument(int argc, char** argv);
