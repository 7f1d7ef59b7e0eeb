// SPDX-License-Identifier: GPL-3.0-or-later
#include "RangeSummaryPanel.h"

#include "CurveStyleTable.h"
#include "RangeSummary.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>

#include <algorithm>

namespace {

constexpr int margin = 8;
constexpr int cellHeight = 24;
constexpr int buttonRowHeight = 34;
constexpr int minimumColumn = 60;
constexpr int cellPadding = 16;

QString trPanel(const char* text) {
    return QCoreApplication::translate("RangeSummary", text);
}

} // namespace

RangeSummaryPanel::RangeSummaryPanel(QWidget* host)
    : QTableView(host), cells(new QStandardItemModel(this)) {
    setObjectName(QStringLiteral("rangeSummary"));
    setModel(cells);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(cellHeight);
    verticalHeader()->setDefaultSectionSize(cellHeight);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hide();
}

void RangeSummaryPanel::showFigures(const RangeFigures& shown,
                                    const QVector<AxisBinding>& shownChannels, const QRectF& band,
                                    const QRectF& plot) {
    figures = shown;
    channels = shownChannels;
    fill();
    place(band, plot);
    show();
    raise();
}

void RangeSummaryPanel::fill() {
    const QVector<QStringList> rows = RangeSummary::rows(figures, channels);
    const bool sameShape = cells->rowCount() == rows.size() + 1;
    if (!sameShape) {
        cells->clear();
        clearSpans();
        cells->setColumnCount(RangeSummary::columnCount);
        cells->setRowCount(rows.size() + 1);
    }
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < RangeSummary::columnCount; ++c) {
            QStandardItem* item = cells->item(r, c);
            if (!item) {
                item = new QStandardItem();
                item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
                cells->setItem(r, c, item);
            }
            item->setText(rows[r][c]);
        }
        if (!sameShape && isWideRow(r))
            setSpan(r, 1, 1, RangeSummary::columnCount - 1);
    }
    if (!sameShape)
        addButtons();
    copyButton->setText(trPanel("复制"));
    exportButton->setText(trPanel("导出所选(.csv)"));
    exportButton->setEnabled(figures.records.count() > 0);
    fitToTexts(rows);
}

// Every text shows whole: the name column as wide as its longest name, the figure
// columns as their longest figure, and together as wide as the longest time.
void RangeSummaryPanel::fitToTexts(const QVector<QStringList>& rows) {
    const QFontMetrics metrics(font());
    const auto widthOf = [&metrics](const QString& text) {
        return metrics.horizontalAdvance(text) + cellPadding;
    };
    int nameWidth = minimumColumn;
    int figureWidth = minimumColumn;
    int wideWidth = 0;
    for (int r = 0; r < rows.size(); ++r) {
        nameWidth = std::max(nameWidth, widthOf(rows[r][0]));
        for (int c = 1; c < RangeSummary::columnCount; ++c) {
            if (isWideRow(r))
                wideWidth = std::max(wideWidth, widthOf(rows[r][c]));
            else
                figureWidth = std::max(figureWidth, widthOf(rows[r][c]));
        }
    }
    const int figureColumns = RangeSummary::columnCount - 1;
    figureWidth = std::max(figureWidth, (wideWidth + figureColumns - 1) / figureColumns);
    setColumnWidth(0, nameWidth);
    for (int c = 1; c < RangeSummary::columnCount; ++c)
        setColumnWidth(c, figureWidth);
    setRowHeight(cells->rowCount() - 1, buttonRowHeight);
    const int frame = 2 * frameWidth();
    resize(nameWidth + figureColumns * figureWidth + frame, verticalHeader()->length() + frame);
}

// Start, end, duration, charge, energy, samples and gaps: one figure over three columns.
bool RangeSummaryPanel::isWideRow(int row) const {
    return row < RangeSummary::titleRow || row >= RangeSummary::firstChannelRow + channels.size();
}

void RangeSummaryPanel::addButtons() {
    const int row = cells->rowCount() - 1;
    auto* holder = new QWidget();
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(2, 0, 2, 0);
    copyButton = new QPushButton();
    exportButton = new QPushButton();
    for (QPushButton* button : {copyButton, exportButton}) {
        button->setStyleSheet(CurveStyleTable::buttonStyle());
        layout->addWidget(button);
    }
    connect(copyButton, &QPushButton::clicked, this, &RangeSummaryPanel::copyFigures);
    connect(exportButton, &QPushButton::clicked, this, &RangeSummaryPanel::exportRequested);
    setSpan(row, 0, 1, RangeSummary::columnCount);
    setIndexWidget(cells->index(row, 0), holder);
}

// On the side of the plot with more room beside the band, at the top.
void RangeSummaryPanel::place(const QRectF& band, const QRectF& plot) {
    const double roomLeft = band.isNull() ? plot.width() : band.left() - plot.left();
    const double roomRight = band.isNull() ? plot.width() : plot.right() - band.right();
    const double x = roomRight >= roomLeft ? plot.right() - width() - margin : plot.left() + margin;
    move(int(x), int(plot.top()) + margin);
}

void RangeSummaryPanel::copyFigures() const {
    QApplication::clipboard()->setText(
        RangeSummary::tabSeparated(RangeSummary::rows(figures, channels)));
}

void RangeSummaryPanel::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && copyButton)
        fill();
}
