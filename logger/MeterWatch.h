// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LogOptions.h"
#include "MeterDiscovery.h"
#include "MeterEvents.h"

#include <QObject>
#include <QSet>
#include <QTimer>

#include <map>
#include <memory>

class MeterLink;

// Looks for meters once a second and gives each one the options ask for a link of its
// own: every meter (--all), the one named (--meter), or the one the window would take
// (the last listed), kept for the whole run. A meter that comes back after an unplug gets
// a new link under the same key, so its recording continues where it stopped.
class MeterWatch : public QObject {
    Q_OBJECT
public:
    MeterWatch(const LogOptions& options, MeterEvents& events, int pollIntervalMs);
    ~MeterWatch() override;

    void start();
    void stopPolling();
    bool awaitsAnswers() const;
    // Stops looking and closes every link, after handing over what they had read.
    void shutDown();

private:
    void scan();
    // Keys for this listing: a serial shared with another meter gives way to the path.
    std::vector<MeterInfo> identify(const std::vector<MeterListing>& listed);
    bool wanted(const MeterInfo& meter) const;
    void attach(const MeterInfo& meter);
    void sayOnce(const QString& note);

    const LogOptions options;
    MeterEvents& events;
    const int pollIntervalMs;
    QTimer scanTimer;
    std::map<QString, std::unique_ptr<MeterLink>> links;
    QString chosenKey; // without --all or --meter: the meter taken first
    QSet<QString> notes;
};
