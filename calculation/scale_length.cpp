#include "calculation/scale_length.h"
