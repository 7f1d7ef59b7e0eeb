#include "SampleLog.h"

void SampleLog::append(const QString& time, const std::array<float, recordedChannelCount>& values) {
    sampleTimes.append(time);
    for (int k = 0; k < recordedChannelCount; ++k)
        sampleValues[k].append(values[k]);
}

void SampleLog::clear() {
    // resize keeps the allocation: the next run records about as many samples again.
    sampleTimes.resize(0);
    for (QVector<float>& channel : sampleValues)
        channel.resize(0);
}
