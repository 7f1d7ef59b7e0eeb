// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartViews.h"
#include "RangeStatistics.h"

#include <QTableView>

class QPushButton;
class QStandardItemModel;

// The figures of the selected stretch in a small table laid over the chart, looking like
// the curve style table, beside the band rather than over it. "复制" puts the figures on
// the clipboard as tab-separated text; "导出所选(.csv)" asks for the stretch's records to
// be exported.
class RangeSummaryPanel : public QTableView {
    Q_OBJECT
public:
    // host: the chart view the panel is laid over.
    explicit RangeSummaryPanel(QWidget* host);

    // Shows these figures, placed on the side of the plot away from the band.
    void showFigures(const RangeFigures& figures, const QVector<AxisBinding>& channels,
                     const QRectF& band, const QRectF& plot);
    // Moves the panel away from the band, which moved.
    void place(const QRectF& band, const QRectF& plot);
    void copyFigures() const;

signals:
    void exportRequested();

protected:
    void changeEvent(QEvent* event) override;

private:
    void fill();
    void fitToTexts(const QVector<QStringList>& rows);
    bool isWideRow(int row) const;
    void addButtons();

    QStandardItemModel* cells;
    QPushButton* copyButton = nullptr;
    QPushButton* exportButton = nullptr;
    RangeFigures figures;
    QVector<AxisBinding> channels;
};
