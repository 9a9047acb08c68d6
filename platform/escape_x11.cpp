#include "platform/escape_x11.h"
