#include "common/sjis.h"
