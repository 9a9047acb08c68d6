#include "preview/clipping.h"
