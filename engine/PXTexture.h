// Power-of-two OpenGL textures loaded from images or raw pixels.
#pragma once

// Filter given to textures when they are created: 1 nearest-neighbour, anything else linear.
extern int _PXTextureMode;

// Selects the filter for textures created from now on.
void PXSetTextureMode(int mode);
