// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonotoneCurve.h"

#include <algorithm>
#include <cmath>

namespace MonotoneCurve {

namespace {
// Beyond this radius the slopes of an interval could make it overshoot.
constexpr double limitRadius = 3.0;
// Pieces per interval at most, so a wide gap between two samples stays cheap.
constexpr int maxPieces = 64;

QVector<double> secants(const QVector<QPointF>& p) {
    QVector<double> d(p.size() - 1);
    for (int i = 0; i + 1 < p.size(); ++i)
        d[i] = (p[i + 1].y() - p[i].y()) / (p[i + 1].x() - p[i].x());
    return d;
}

void limitInterval(QVector<double>& m, const QVector<double>& d, int i) {
    if (d[i] == 0.0) {
        m[i] = m[i + 1] = 0.0;
        return;
    }
    const double a = m[i] / d[i];
    const double b = m[i + 1] / d[i];
    const double r = std::hypot(a, b);
    if (r > limitRadius) {
        const double t = limitRadius / r;
        m[i] = t * a * d[i];
        m[i + 1] = t * b * d[i];
    }
}

// Samples that share an x (two records in one second) become one at their mean: a curve
// through both would need an infinite slope.
QVector<QPointF> mergedEqualX(const QVector<QPointF>& samples) {
    QVector<QPointF> merged;
    merged.reserve(samples.size());
    int shared = 1;
    for (const QPointF& p : samples) {
        if (!merged.isEmpty() && merged.last().x() == p.x()) {
            ++shared;
            merged.last().ry() += (p.y() - merged.last().y()) / shared;
        } else {
            merged.append(p);
            shared = 1;
        }
    }
    return merged;
}

// Cubic Hermite between p0 and p1 at s in [0, 1], kept inside the two end values so
// rounding never shows a value neither sample had.
double hermite(const QPointF& p0, const QPointF& p1, double m0, double m1, double s) {
    const double h = p1.x() - p0.x();
    const double s2 = s * s;
    const double s3 = s2 * s;
    const double y = (2 * s3 - 3 * s2 + 1) * p0.y() + (s3 - 2 * s2 + s) * h * m0 +
                     (-2 * s3 + 3 * s2) * p1.y() + (s3 - s2) * h * m1;
    return std::clamp(y, std::min(p0.y(), p1.y()), std::max(p0.y(), p1.y()));
}
} // namespace

QVector<double> tangents(const QVector<QPointF>& samples) {
    const int n = samples.size();
    QVector<double> m(n, 0.0);
    if (n < 2)
        return m;
    const QVector<double> d = secants(samples);
    m[0] = d[0];
    m[n - 1] = d[n - 2];
    for (int i = 1; i + 1 < n; ++i)
        m[i] = (d[i - 1] * d[i] > 0) ? (d[i - 1] + d[i]) / 2 : 0.0;
    for (int i = 0; i + 1 < n; ++i)
        limitInterval(m, d, i);
    return m;
}

QVector<QPointF> polyline(const QVector<QPointF>& drawn, double stepX) {
    if (drawn.size() < 3 || !(stepX > 0))
        return drawn;
    const QVector<QPointF> samples = mergedEqualX(drawn);
    if (samples.size() < 3)
        return samples;
    const QVector<double> m = tangents(samples);
    QVector<QPointF> out;
    out.reserve(samples.size() * 4);
    for (int i = 0; i + 1 < samples.size(); ++i) {
        const QPointF& p0 = samples[i];
        const QPointF& p1 = samples[i + 1];
        const double width = p1.x() - p0.x();
        const int pieces = std::clamp(static_cast<int>(width / stepX), 1, maxPieces);
        out.append(p0);
        for (int j = 1; j < pieces; ++j) {
            const double s = static_cast<double>(j) / pieces;
            out.append({p0.x() + s * width, hermite(p0, p1, m[i], m[i + 1], s)});
        }
    }
    out.append(samples.last());
    return out;
}

} // namespace MonotoneCurve
