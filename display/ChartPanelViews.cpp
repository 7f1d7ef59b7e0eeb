// SPDX-License-Identifier: GPL-3.0-or-later
// The curve views of the chart panel, its value axes, pens and theme.
#include "ChartPanel.h"

#include "AxisScale.h"
#include "ChannelCurve.h"
#include "CurveStyles.h"
#include "CustomRanges.h"

#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>

using namespace QtCharts;

namespace {

constexpr int themeCount = 7;

// The chart's default CJK font draws "℃" as an empty box: axis labels ask first for a
// family that has the glyph, as the dashboard's degree labels do.
const QStringList labelFamilies{QStringLiteral("DejaVu Sans"), QStringLiteral("Microsoft YaHei")};

void fillAxis(QCategoryAxis* axis, const AxisScale& scale) {
    const QStringList old = axis->categoriesLabels();
    for (const QString& label : old)
        axis->remove(label);
    axis->setRange(scale.min, scale.max);
    axis->setTickCount(AxisScales::labelCount);
    for (const AxisLabel& label : scale.labels)
        axis->append(label.text, label.value);
}

} // namespace

CurveView ChartPanel::toggleView(CurveView wanted) {
    shownView = (wanted == shownView) ? CurveView::Main : wanted;
    showViewCurves();
    const QVector<AxisBinding> bindings = ChartViews::bindings(shownView);
    for (const AxisBinding& binding : bindings) {
        openAxis(binding);
        axisTop[static_cast<size_t>(binding.axis)] = binding.defaultTop;
    }
    restoreAxisColours();
    if (shownView == CurveView::Main && displayMode == Scroll && !showingRecording) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        setTimeRange({now - TimeWindow::windowSeconds * TimeWindow::msPerSecond, now});
    }
    redraw();
    return shownView;
}

// The view's curves on the chart, every other curve off it.
void ChartPanel::showViewCurves() {
    const QVector<AxisBinding> bindings = ChartViews::bindings(shownView);
    for (int k = 0; k < recordedChannelCount; ++k) {
        const auto shown = std::find_if(bindings.begin(), bindings.end(),
                                        [k](const AxisBinding& b) { return b.channel == k; });
        ChannelCurve& curve = *curves[static_cast<size_t>(k)];
        if (shown == bindings.end())
            curve.hide();
        else if (!curve.isShown())
            curve.show(chart, timeAxis, valueAxes[static_cast<size_t>(shown->axis)]);
    }
}

std::optional<AxisScale> ChartPanel::customScale(const AxisBinding& binding) const {
    const auto k = static_cast<size_t>(binding.channel);
    if (!ranges || !ranges->isOpen[k])
        return std::nullopt;
    return AxisScales::customScale(binding.unit, binding.precision, ranges->rangeMin[k],
                                   ranges->rangeMax[k]);
}

// The custom range if it is on and sound, else the view's default range.
void ChartPanel::openAxis(const AxisBinding& binding) {
    const std::optional<AxisScale> custom = customScale(binding);
    setScale(binding.axis, custom ? *custom
                                  : AxisScales::defaultScale(binding.unit, binding.precision,
                                                             binding.defaultTop));
}

void ChartPanel::setScale(int axis, const AxisScale& scale) {
    fillAxis(valueAxes[static_cast<size_t>(axis)], scale);
}

// The axis grows past the top, unless a sound custom range holds it; the top and the
// channel's peak follow the value either way.
void ChartPanel::growAxis(const AxisBinding& binding, float value) {
    const auto a = static_cast<size_t>(binding.axis);
    const auto k = static_cast<size_t>(binding.channel);
    const std::optional<double> top = AxisScales::grownTop(axisTop[a], channelPeak[k], value);
    if (!top)
        return;
    axisTop[a] = channelPeak[k] = *top;
    if (customScale(binding))
        return;
    if (const auto scale =
            AxisScales::autoScale(binding.unit, binding.precision, static_cast<float>(*top)))
        setScale(binding.axis, *scale);
}

// An open custom range that is not sound (max not above min) leaves its axis as it is.
void ChartPanel::applyRanges() {
    for (const AxisBinding& binding : ChartViews::bindings(shownView)) {
        const auto k = static_cast<size_t>(binding.channel);
        if (!ranges || !ranges->isOpen[k])
            openAxis(binding);
        else if (const std::optional<AxisScale> custom = customScale(binding))
            setScale(binding.axis, *custom);
    }
}

void ChartPanel::restoreAxisColours() {
    for (const AxisBinding& binding : ChartViews::bindings(shownView))
        valueAxes[static_cast<size_t>(binding.axis)]->setLinePenColor(
            styles->at(binding.channel).colour);
}

void ChartPanel::applyPen(int channel) {
    if (channel < 0 || channel >= recordedChannelCount)
        return;
    curves[static_cast<size_t>(channel)]->setPen(styles->pen(channel));
    restoreAxisColours();
}

// A theme resets the pens, fonts, axis colours and shadow it knows of: ours are put back.
void ChartPanel::applyTheme(int code) {
    if (code < 0 || code >= themeCount)
        return;
    chart->setTheme(static_cast<QChart::ChartTheme>(code));
    chart->setDropShadowEnabled(true);
    for (int k = 0; k < recordedChannelCount; ++k)
        curves[static_cast<size_t>(k)]->setPen(styles->pen(k));
    applyLabelFonts();
    restoreAxisColours();
}

void ChartPanel::applyLabelFonts() {
    QList<QAbstractAxis*> axes{timeAxis};
    for (QCategoryAxis* axis : valueAxes)
        axes.append(axis);
    for (QAbstractAxis* axis : axes) {
        QFont font = axis->labelsFont();
        font.setFamilies(labelFamilies);
        axis->setLabelsFont(font);
    }
}
