// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// QThread::wait() waits on Qt's futex-based mutex, which ThreadSanitizer cannot see, so it
// would take everything the finished loop touched as racing with the waiting thread. These
// name that hand-over for ThreadSanitizer builds and vanish elsewhere.
#if defined(__SANITIZE_THREAD__)
#define THREAD_HANDOFF_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define THREAD_HANDOFF_TSAN 1
#endif
#endif

#if defined(THREAD_HANDOFF_TSAN)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace ThreadHandoff {

// Called by the loop as the last thing it does.
inline void release([[maybe_unused]] void* address) {
#if defined(THREAD_HANDOFF_TSAN)
    __tsan_release(address);
#endif
}

// Called by whoever waited for the loop to finish.
inline void acquire([[maybe_unused]] void* address) {
#if defined(THREAD_HANDOFF_TSAN)
    __tsan_acquire(address);
#endif
}

} // namespace ThreadHandoff
