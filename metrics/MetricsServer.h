// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MetricsAddress.h"

#include <memory>

class MeterMetrics;
namespace prometheus {
class Exposer;
}

// The HTTP endpoint: GET /metrics in the Prometheus text format, nothing else. A fixed,
// small pool of threads serves it and every connection is given a short time to send
// its request, so a client that connects and never sends, a malformed request or a
// thousand connections at once cost bounded memory and only delay the next scrape.
class MetricsServer {
public:
    // Worker threads: each holds one connection at a time.
    static constexpr int workerThreads = 8;
    // A client must send its whole request within this time, or it is dropped.
    static constexpr int requestTimeoutMs = 1000;
    // Accepted connections waiting for a worker; the kernel's backlog queues the rest.
    static constexpr int acceptedQueue = 64;
    static constexpr int listenBacklog = 128;

    // Listens on `address` and serves `meters`; nothing, with the reason in `error`, when
    // the address cannot be bound.
    static std::unique_ptr<MetricsServer>
    start(const MetricsAddress& address, std::shared_ptr<MeterMetrics> meters, QString* error);
    ~MetricsServer();

    MeterMetrics& meters() const { return *metrics; }
    // The port actually bound (the one the system chose for port 0).
    quint16 port() const;
    QString url() const;
    bool isLoopback() const { return address.isLoopback(); }

private:
    MetricsServer() = default;

    MetricsAddress address;
    std::shared_ptr<MeterMetrics> metrics;
    std::unique_ptr<prometheus::Exposer> exposer;
};
