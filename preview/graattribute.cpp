#include "preview/graattribute.h"
