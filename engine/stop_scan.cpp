#include "engine/stop_scan.h"

bool StopScan = false;
