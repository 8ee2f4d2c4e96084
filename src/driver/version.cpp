#include "driver/version.h"

// The one place of the version text: the banner shows it, and the build reads this line for
// the release's file names, the version resources and the MSI.
const char version[] = "1.0beta2";
