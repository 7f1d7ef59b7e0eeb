// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What decoding any read must do, shared by the smoke run and the libFuzzer target.

#include "MeterReading.h"
#include "ReadingFields.h"
#include "ReportLayout.h"

#include <QString>

enum class ReportKind { None, Measurement, Settings };

// Which report the length and marker bytes describe; nullptr and short reads are None.
inline ReportKind reportKindOf(const unsigned char* buf, int length) {
    using namespace ReportLayout;
    if (buf == nullptr || length < reportLength)
        return ReportKind::None;
    if (length == reportLength && carriesMarkers(buf, Measurement::markers))
        return ReportKind::Measurement;
    return carriesMarkers(buf, Settings::markers) ? ReportKind::Settings : ReportKind::None;
}

// Decodes buf into a copy of (before, pendingBefore) and checks that
// - an unrecognised report changes nothing,
// - a recognised report writes all of its own fields and no other, independently of the
//   state it is decoded into, and only a settings report raises the pending flag,
// - only a measurement is taken for one (what the recording keeps),
// - measurement channels stay within 0 .. 2^32-1 millionths,
// - decoding the same report again changes nothing further.
// Returns what broke, or an empty string.
inline QString decodeViolation(const MeterReading& before, bool pendingBefore,
                               const unsigned char* buf, int length) {
    MeterReading after = before;
    bool pending = pendingBefore;
    decodeReportInto(after, pending, buf, length);

    // What the report alone yields; a field the decoder skipped stays zero here but keeps
    // its old value in `after`, so the comparison below notices.
    MeterReading fresh;
    bool freshPending = false;
    decodeReportInto(fresh, freshPending, buf, length);

    const ReportKind kind = reportKindOf(buf, length);
    if (isMeasurementReport(buf, length) != (kind == ReportKind::Measurement))
        return QStringLiteral("a read of %1 bytes taken for a measurement wrongly").arg(length);
    MeterReading expected = before;
    if (kind != ReportKind::None)
        ReadingFields::copyOwnFields(fresh, expected, kind == ReportKind::Settings);
    const QString field = ReadingFields::firstDifferentField(after, expected);
    if (!field.isEmpty())
        return QStringLiteral("field %1 not as expected after decoding").arg(field);
    if (pending != (pendingBefore || kind == ReportKind::Settings))
        return QStringLiteral("pending flag went from %1 to %2").arg(pendingBefore).arg(pending);

    const float largest = float(0xFFFFFFFFu / ReportLayout::Measurement::countsPerUnit);
    for (int k = 0; k < decodedChannelCount; ++k) {
        if (!(after.channel(k) >= 0.0f && after.channel(k) <= largest))
            return QStringLiteral("channel %1 out of range: %2").arg(k).arg(after.channel(k));
    }

    MeterReading again = after;
    bool pendingAgain = pending;
    decodeReportInto(again, pendingAgain, buf, length);
    const QString changed = ReadingFields::firstDifferentField(again, after);
    if (!changed.isEmpty() || pendingAgain != pending)
        return QStringLiteral("decoding the same report twice changed %1").arg(changed);
    return QString();
}
