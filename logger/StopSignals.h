// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT and SIGTERM as a Qt signal on the main thread: the handler only writes a byte
// to a pipe. A second SIGINT or SIGTERM, while the first is being handled, ends the
// process at once (every row already written is whole, so the files stay valid).
class StopSignals : public QObject {
    Q_OBJECT
public:
    // Exit status of the second signal: the shell's for a death by SIGINT.
    static constexpr int hurriedExitCode = 130;

    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

signals:
    void stopRequested();

private:
    QSocketNotifier* notifier = nullptr;
};
