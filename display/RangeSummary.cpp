// SPDX-License-Identifier: GPL-3.0-or-later
#include "RangeSummary.h"

#include "CapacityFormat.h"

#include <QCoreApplication>
#include <QDateTime>

#include <optional>

namespace {

constexpr qint64 msPerTenth = 100;
constexpr qint64 tenthsPerSecond = 10;
constexpr qint64 msPerSecond = 1000;

QString tr(const char* text) {
    return QCoreApplication::translate("RangeSummary", text);
}

QString figure(const std::optional<double>& value, QString (*format)(double)) {
    return value ? format(*value) : RangeSummary::noFigure;
}

QString valueText(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

QStringList wide(const QString& name, const QString& value) {
    return {name, value, QString(), QString()};
}

// To the tenth of a second, with the date when the two ends fall on different days.
QString timeText(qint64 ms, bool withDate) {
    const qint64 tenths = ms / msPerTenth - (ms % msPerTenth < 0 ? 1 : 0);
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(tenths * msPerTenth);
    const QString text =
        at.toString(withDate ? QStringLiteral("yyyy-MM-dd hh:mm:ss") : QStringLiteral("hh:mm:ss"));
    return text + QLatin1Char('.') + QString::number(at.time().msec() / msPerTenth);
}

QString durationText(qint64 ms) {
    const qint64 tenths = (ms < 0 ? 0 : ms) / msPerTenth;
    return formatElapsed(tenths / tenthsPerSecond * msPerSecond) + QLatin1Char('.') +
           QString::number(tenths % tenthsPerSecond);
}

} // namespace

namespace RangeSummary {

QVector<QStringList> rows(const RangeFigures& f, const QVector<AxisBinding>& channels) {
    const bool days = QDateTime::fromMSecsSinceEpoch(f.fromMs).date() !=
                      QDateTime::fromMSecsSinceEpoch(f.toMs).date();
    QVector<QStringList> table{wide(tr("开始"), timeText(f.fromMs, days)),
                               wide(tr("结束"), timeText(f.toMs, days)),
                               wide(tr("时长"), durationText(f.durationMs())),
                               {QString(), tr("最小"), tr("平均"), tr("最大")}};
    for (const AxisBinding& binding : channels) {
        const RangeFigures::Channel& c = f.channels[static_cast<size_t>(binding.channel)];
        const int decimals = binding.precision + 1;
        const QString name =
            QStringLiteral("%1 (%2)").arg(ChartViews::seriesName(binding.channel), binding.unit);
        if (c.count == 0) {
            table.append({name, noFigure, noFigure, noFigure});
            continue;
        }
        table.append({name, valueText(c.span.min, decimals), valueText(*c.mean, decimals),
                      valueText(c.span.max, decimals)});
    }
    table.append(wide(tr("电量 (mAh)"), figure(f.milliampHours, formatCharge)));
    table.append(wide(tr("能量 (Wh)"), figure(f.wattHours, formatEnergy)));
    table.append(wide(tr("采样数"), QString::number(f.records.count())));
    table.append(wide(tr("间断"), QString::number(f.gaps)));
    return table;
}

QString tabSeparated(const QVector<QStringList>& rows) {
    QStringList lines;
    for (QStringList cells : rows) {
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        lines.append(cells.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace RangeSummary
