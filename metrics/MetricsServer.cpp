// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetricsServer.h"

#include "MeterMetrics.h"

#include <prometheus/exposer.h>

#include <exception>

std::unique_ptr<MetricsServer> MetricsServer::start(const MetricsAddress& address,
                                                    std::shared_ptr<MeterMetrics> meters,
                                                    QString* error) {
    const std::vector<std::string> options{
        "listening_ports",    address.listeningPort(),
        "num_threads",        std::to_string(workerThreads),
        "request_timeout_ms", std::to_string(requestTimeoutMs),
        "connection_queue",   std::to_string(acceptedQueue),
        "listen_backlog",     std::to_string(listenBacklog),
        "enable_keep_alive",  "no",
    };
    std::unique_ptr<MetricsServer> server(new MetricsServer);
    server->address = address;
    server->metrics = std::move(meters);
    try {
        server->exposer = std::make_unique<prometheus::Exposer>(options);
    } catch (const std::exception&) {
        // The server's own reason names only its internals.
        *error = QStringLiteral("cannot listen on %1 for metrics: the port is in use or the "
                                "address is not one of this machine's")
                     .arg(QString::fromStdString(address.listeningPort()));
        return nullptr;
    }
    server->exposer->RegisterCollectable(server->metrics);
    return server;
}

MetricsServer::~MetricsServer() = default;

quint16 MetricsServer::port() const {
    const std::vector<int> ports = exposer->GetListeningPorts();
    return ports.empty() ? address.port : static_cast<quint16>(ports.front());
}

QString MetricsServer::url() const {
    MetricsAddress bound = address;
    bound.port = port();
    return QStringLiteral("http://%1/metrics").arg(QString::fromStdString(bound.listeningPort()));
}
