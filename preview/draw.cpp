#include "preview/draw.h"
