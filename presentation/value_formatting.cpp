#include "presentation/value_formatting.h"
