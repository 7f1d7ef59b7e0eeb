// The real program over the simulated meter: a phone charging, plugged in after a second.
#include "Application.h"
#include "DemoSession.h"
#include "MetricsOption.h"

#include <memory>

int main(int argc, char** argv) {
    const auto metrics = serveMetricsArgument(argc, argv); // exits 2 when it cannot serve
    std::unique_ptr<sim::DemoSession> session;
    return runApplication(
        argc, argv,
        [&session] {
            session = std::make_unique<sim::DemoSession>();
            session->start();
        },
        metrics ? &metrics->meters() : nullptr);
}
