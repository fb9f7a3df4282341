// The OpenGL window, its projection and the buffer swap.
#pragma once

// Opens the window with a top-left-origin orthographic projection, one unit per pixel.
int PXVideoMode2D(int width, int height, int fullscreen);
// Opens the window with a 45 degree perspective projection.
int PXVideoMode3D(int width, int height, int fullscreen);
// Presents the back buffer.
void PXSwapBuffers();
