// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimTimer.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace sim::timer {
namespace {

using Clock = std::chrono::steady_clock;

class TimerThread {
public:
    ~TimerThread() {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        changed.notify_all();
        if (worker.joinable())
            worker.join();
    }

    void add(Clock::time_point due, std::function<void()> task) {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            tasks.emplace(due, std::move(task));
            if (!worker.joinable())
                worker = std::thread([this] { loop(); });
        }
        changed.notify_all();
    }

    void hold(bool on) {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            held = on;
        }
        changed.notify_all();
    }

private:
    // A task runs without the lock held, so it may schedule another.
    void loop() {
        std::unique_lock<std::mutex> lock(mutex);
        while (!stopping) {
            if (tasks.empty() || held) {
                changed.wait(lock);
                continue;
            }
            const auto first = tasks.begin();
            if (Clock::now() < first->first) {
                changed.wait_until(lock, first->first);
                continue;
            }
            std::function<void()> task = std::move(first->second);
            tasks.erase(first);
            lock.unlock();
            task();
            lock.lock();
        }
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::multimap<Clock::time_point, std::function<void()>> tasks;
    bool stopping = false;
    bool held = false;
    std::thread worker;
};

TimerThread& timerThread() {
    static TimerThread instance;
    return instance;
}

} // namespace

void hold(bool held) {
    timerThread().hold(held);
}

void runLater(int delayMs, std::function<void()> task) {
    timerThread().add(Clock::now() + std::chrono::milliseconds(delayMs), std::move(task));
}

} // namespace sim::timer
