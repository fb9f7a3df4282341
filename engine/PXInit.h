// Engine start-up, shutdown, process-wide engine state and the last-error text.
#pragma once

#include <SDL.h>
#include <string>

// Engine truth values: false is 0, true has all bits set.
constexpr int PX_TRUE = -1;
constexpr int PX_FALSE = 0;

// Size of the last-error buffer, terminator included.
constexpr int PX_ERROR_BUFFER_SIZE = 512;

// Directory the program was started from (program path cut after its last separator).
extern std::string PXExecutablePath;
extern int _PXAppQuitRequested;
extern SDL_Event _PXMainEvent;
extern int _PXEndianness;
extern int _PXWindowWidth;
extern int _PXWindowHeight;
extern int _PXVideoModeDimensions;

// Changes the working directory to the program's directory, then starts the engine.
int PXInit(const char* programPath);
// Starts SDL (timer, video, joystick), input tables, the tick clock, sockets and the random seed.
int PXInit();
// Releases everything PXInit created; safe after a failed or partial PXInit.
void PXDeInit();
// True once the platform delivered a quit event during a logic pass.
int PXApplicationQuitRequested();
// The last error text; never null.
const char* PXError();
// printf-style formatting into the error buffer, cut at PX_ERROR_BUFFER_SIZE - 1 characters.
void _PXSetError(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The directory part of a program path: everything up to and including the last '/' after index
// 0, or "" when there is none.
std::string _PXProgramDirectory(const char* programPath);
