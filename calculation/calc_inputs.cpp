#include "calculation/calc_inputs.h"
