#include "PXTexture.h"

int _PXTextureMode = 1;

void PXSetTextureMode(int mode) {
    _PXTextureMode = mode;
}
