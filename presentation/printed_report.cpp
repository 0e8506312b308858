#include "presentation/printed_report.h"
