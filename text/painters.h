// Hands the renderer the drawing of image references, points and texts,
// which live in this layer, above the renderer's.
#pragma once

// Installs DrawImageRef, DrawPointEntity, DrawCodedPointEntity and
// DrawTextEntity as the renderer's hooks, with TextEntityBox as the box the
// renderer passes over blocks of texts by. Call once before the first redraw.
void InstallTextPainters();
