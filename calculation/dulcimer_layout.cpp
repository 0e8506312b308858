#include "calculation/dulcimer_layout.h"
