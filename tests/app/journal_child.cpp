// The program as a user runs it, over a simulated meter with a steady reading: it records
// until it is killed. The recovery test starts it, kills it and starts again.
#include "MainDialog.h"
#include "SimMeter.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    sim::MeterState state;
    state.channels[0] = 5.1;
    state.channels[1] = 1.25;
    state.channels[2] = 6.375;
    sim::plug(sim::Identity(), state);
    MainDialog dialog;
    dialog.show();
    return app.exec();
}
