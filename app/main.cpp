#include "Application.h"
#include "MetricsOption.h"

int main(int argc, char** argv) {
    const auto metrics = serveMetricsArgument(argc, argv); // exits 2 when it cannot serve
    return runApplication(argc, argv, {}, metrics ? &metrics->meters() : nullptr);
}
