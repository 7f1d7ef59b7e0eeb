// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Installs the process-wide handler that writes "MyApp/crash.log" under the working directory
// when the process faults, then lets the process end as it would have without it. Call once,
// right after the application object exists. Threads other than the calling one get a
// ThreadCrashStack of their own (CrashStack.h) so their stack overflows are reported too.
void installCrashFilter();

namespace CrashFilter {

// AddressSanitizer catches the same faults and reports them better: under it the filter
// installs nothing.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool stepsAside = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool stepsAside = true;
#else
constexpr bool stepsAside = false;
#endif
#else
constexpr bool stepsAside = false;
#endif

constexpr const char* directory = "MyApp";
constexpr const char* reportName = "crash.log";
constexpr const char* reportPath = "MyApp/crash.log";

} // namespace CrashFilter
