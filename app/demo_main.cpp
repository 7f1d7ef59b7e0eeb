// The real program over the simulated meter: a phone charging, plugged in after a second.
#include "Application.h"
#include "DemoSession.h"

#include <memory>

int main(int argc, char** argv) {
    std::unique_ptr<sim::DemoSession> session;
    return runApplication(argc, argv, [&session] {
        session = std::make_unique<sim::DemoSession>();
        session->start();
    });
}
