#include "preview/gval.h"

TGval Gval;
