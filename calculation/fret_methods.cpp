#include "calculation/fret_methods.h"
