// Paxtor: the engine layer. Including this header gives the whole engine API.
#pragma once

#include "PXFPSTiming.h"
#include "PXGamePad.h"
#include "PXInit.h"
#include "PXKeyboard.h"
#include "PXLogicTiming.h"
#include "PXMouse.h"
#include "PXRandom.h"
#include "PXTexture.h"
#include "PXTimer.h"
#include "PXVideoMode.h"
