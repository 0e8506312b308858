#include "presentation/results_grid.h"
