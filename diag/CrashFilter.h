#pragma once

// Installs the process-wide handler that writes a crash report for an unhandled fault.
void installCrashFilter();
