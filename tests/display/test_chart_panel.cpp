#include "ChartPanel.h"
#include "ScopedWorkDir.h"

#include <QtCharts/QCategoryAxis>
#include <QtTest>

using QtCharts::QCategoryAxis;

class ChartPanelTest : public QObject {
    Q_OBJECT
private slots:
    void valueAxesGrowToTheNextWholeUnitAboveThePeakAndNeverShrink() {
        ScopedWorkDir workDir;
        ChartPanel chart(nullptr);
        const QDateTime t0 = QDateTime::currentDateTime();
        chart.startRun(t0);
        QCategoryAxis* volts = chart.valueAxis(0);
        QCOMPARE(volts->max(), 20.0);
        std::array<float, recordedChannelCount> values{};
        values[VBUS] = 23.4f;
        values[POWER] = 18.2f;
        chart.appendSample(t0, values);
        QCOMPARE(volts->min(), 0.0);
        QCOMPARE(volts->max(), 25.0);
        const QStringList labels = volts->categoriesLabels();
        QCOMPARE(labels.size(), 11);
        QCOMPARE(labels.first(), QString("0.00V"));
        QCOMPARE(labels.at(1), QString("2.50V"));
        QCOMPARE(labels.last(), QString("25.00V"));
        QCOMPARE(chart.valueAxis(2)->max(), 20.0); // ceil(1 + 18.2)
        QCOMPARE(chart.valueAxis(1)->max(), 10.0); // IBUS stayed below its top
        values[VBUS] = 21.0f;
        chart.appendSample(t0.addSecs(1), values);
        QCOMPARE(volts->max(), 25.0);
        values[VBUS] = std::numeric_limits<float>::quiet_NaN();
        chart.appendSample(t0.addSecs(2), values);
        QCOMPARE(volts->max(), 25.0);
        QCOMPARE(chart.pointCount(IBUS), 3);
    }
};

QTEST_MAIN(ChartPanelTest)
#include "test_chart_panel.moc"
