#pragma once

#include "MeterReading.h"

#include <QString>
#include <QVector>

#include <array>

// One record per second of acquisition, in memory: a time stamp and the eight recorded
// channels. All nine vectors always have the same length.
class SampleLog {
public:
    static constexpr char timeFormat[] = "yyyy-MM-dd_hh:mm:ss";

    void append(const QString& time, const std::array<float, recordedChannelCount>& values);
    // Empties the log; capacity may stay.
    void clear();
    int size() const { return sampleTimes.size(); }

    const QVector<QString>& times() const { return sampleTimes; }
    const QVector<float>& values(int channel) const { return sampleValues[channel]; }

private:
    QVector<QString> sampleTimes;
    std::array<QVector<float>, recordedChannelCount> sampleValues;
};
