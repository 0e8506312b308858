#include "calculation/calculate_command.h"
