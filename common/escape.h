// The Esc-key seam. Long work (writing every entity, redrawing the preview)
// polls the state of the Esc key at the moment of the call, not a queued
// press. The platform layer installs the real query at start-up; tests
// install a fake. Without one installed the key reads as released.
#pragma once

#include <functional>

using EscapeQuery = std::function<bool()>;

// Replaces the query; an empty one makes the key read as released.
void SetEscapeQuery(EscapeQuery query);

// True while the Esc key is held down.
bool EscapePressed();
