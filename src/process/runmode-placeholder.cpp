#include "process/runmode.h"

void applymode() {}
