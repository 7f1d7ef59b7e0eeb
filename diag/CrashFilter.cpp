#include "CrashFilter.h"

// The crash report writer is not built yet; start-up already calls this at the point
// where the handler must be in place.
void installCrashFilter() {}
