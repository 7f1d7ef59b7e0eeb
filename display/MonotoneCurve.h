// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QVector>

// A smooth curve through samples that never leaves the range of two neighbouring samples
// (Fritsch-Carlson monotone cubic): a step from 5 V to 9 V is drawn rising from 5 to 9,
// never peaking above 9 V as a spline would. The x values must not decrease.
namespace MonotoneCurve {

// Slopes at the samples, limited so that each interval stays monotone; x must increase.
QVector<double> tangents(const QVector<QPointF>& samples);
// The curve through the samples as a polyline, one point about every `stepX` along x
// between neighbouring samples (the samples themselves included). Samples sharing an x
// are drawn as one at their mean.
QVector<QPointF> polyline(const QVector<QPointF>& samples, double stepX);

} // namespace MonotoneCurve
