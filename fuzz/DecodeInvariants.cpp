#include "DecodeInvariants.h"

#include "ReadingFields.h"
#include "ReportLayout.h"

#include <cstdint>
#include <limits>

namespace {

using namespace ReportLayout;

const float largestChannelValue =
    float(std::numeric_limits<std::uint32_t>::max() / Measurement::countsPerUnit);

QString channelRangeViolation(const MeterReading& reading) {
    for (int k = 0; k < decodedChannelCount; ++k) {
        const float value = reading.channel(k);
        if (!(value >= 0.0f && value <= largestChannelValue))
            return QStringLiteral("channel %1 out of range: %2").arg(k).arg(double(value));
    }
    return QString();
}

} // namespace

ReportKind reportKindOf(const unsigned char* buf, int length) {
    if (buf == nullptr || length < reportLength)
        return ReportKind::None;
    if (length == reportLength && carriesMarkers(buf, Measurement::markers))
        return ReportKind::Measurement;
    if (carriesMarkers(buf, Settings::markers))
        return ReportKind::Settings;
    return ReportKind::None;
}

QString decodeViolation(const MeterReading& before, bool pendingBefore, const unsigned char* buf,
                        int length) {
    MeterReading after = before;
    bool pending = pendingBefore;
    decodeReportInto(after, pending, buf, length);

    // What the report alone yields; a field the decoder skipped stays zero here but keeps
    // its old value in `after`, so the comparison below notices.
    MeterReading fresh;
    bool freshPending = false;
    decodeReportInto(fresh, freshPending, buf, length);

    MeterReading expected = before;
    bool expectedPending = pendingBefore;
    switch (reportKindOf(buf, length)) {
    case ReportKind::None:
        break;
    case ReportKind::Measurement: {
        const QString range = channelRangeViolation(fresh);
        if (!range.isEmpty())
            return range;
        ReadingFields::copyMeasurementFields(fresh, expected);
        break;
    }
    case ReportKind::Settings:
        ReadingFields::copySettingsFields(fresh, expected);
        expectedPending = true;
        break;
    }

    const QString field = ReadingFields::firstDifferentField(after, expected);
    if (!field.isEmpty())
        return QStringLiteral("field %1 not as expected after decoding").arg(field);
    if (pending != expectedPending)
        return QStringLiteral("pending flag went from %1 to %2").arg(pendingBefore).arg(pending);

    MeterReading again = after;
    bool pendingAgain = pending;
    decodeReportInto(again, pendingAgain, buf, length);
    const QString changed = ReadingFields::firstDifferentField(again, after);
    if (!changed.isEmpty() || pendingAgain != pending)
        return QStringLiteral("decoding the same report twice changed %1").arg(changed);
    return QString();
}
