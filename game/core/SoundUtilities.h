// Distance attenuation of sounds made in the world.
#pragma once

class BoundingBox;

// The sample volume for a sound whose source and listener have these boxes: 128 near the
// centres, 1 less every 2 pixels, 0 from 261 pixels on. Very close centres give up to 130; the
// sound's channel volume clamps that.
int volumeForSound(const BoundingBox* a, const BoundingBox* b);
