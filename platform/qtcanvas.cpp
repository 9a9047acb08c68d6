#include "platform/qtcanvas.h"
