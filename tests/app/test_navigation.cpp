// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterFixture.h"

#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

// The command codes of every frame written since the last clear, in order.
QList<int> sentCodes(int meter) {
    QList<int> codes;
    for (const sim::Report& r : sim::writtenReports(meter))
        if (r[2] != 0x22) // not a poll
            codes << r[3];
    return codes;
}

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT
private slots:
    // Home is told once, not again from home; each page is told when it opens.
    void toolButtonsLeadToTheirPagesAndTellTheMeter_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("page");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("upgrade") << 1 << 1 << QList<int>{};
        QTest::newRow("settings") << 2 << 3 << QList<int>{0x03, 0x46};
        QTest::newRow("type-c dashboard") << 3 << 2 << QList<int>{0x47};
        QTest::newRow("trigger") << 4 << 4 << QList<int>{0x48};
        QTest::newRow("detection") << 5 << 5 << QList<int>{0x49};
        QTest::newRow("battery") << 6 << 6 << QList<int>{0x50};
    }
    void toolButtonsLeadToTheirPagesAndTellTheMeter() {
        QFETCH(int, button);
        QFETCH(int, page);
        QFETCH(QList<int>, codes);
        MeterFixture f;
        sim::Identity id;
        id.product = L"USB X1 V1"; // not a reduced-settings model
        const int meter = sim::plug(id);
        f.open();
        sim::clearWrittenReports(meter);
        f.widget<QAbstractButton>("disp_btnReturn")->click();
        f.widget<QAbstractButton>("disp_btnReturn")->click();
        QCOMPARE(f.pages()->currentIndex(), 0);
        f.widget<QToolButton>(qPrintable(QString("tbtn%1").arg(button)))->click();
        QCOMPARE(f.pages()->currentIndex(), page);
        QCOMPARE(sentCodes(meter), QList<int>{0x45} + codes);
    }

    // The model word is compared exactly; the dashboard's shortcut and the home page's
    // tool button lead to the same page.
    void reducedModelsGetTheReducedSettingsPageByEitherRoad_data() {
        QTest::addColumn<QString>("product");
        QTest::addColumn<int>("page");
        QTest::newRow("K82") << "USB K82 V1" << 7;
        QTest::newRow("lower-case k82") << "USB k82 V1" << 3;
    }
    void reducedModelsGetTheReducedSettingsPageByEitherRoad() {
        QFETCH(QString, product);
        QFETCH(int, page);
        MeterFixture f;
        sim::Identity id;
        id.product = product.toStdWString();
        const int meter = sim::plug(id);
        f.open();
        sim::clearWrittenReports(meter);
        f.widget<QAbstractButton>("disp_btnSysSet")->click();
        QCOMPARE(f.pages()->currentIndex(), page);
        QCOMPARE(sentCodes(meter), (QList<int>{0x03, 0x46}));
        f.widget<QAbstractButton>(page == 7 ? "settings_btnReturn_q7" : "settings_btnReturn")
            ->click();
        f.widget<QToolButton>("tbtn2")->click();
        QCOMPARE(f.pages()->currentIndex(), page);
    }

    // Without a meter the shortcuts still lead to their pages; the upgrade page's bar
    // starts empty, not where the last upgrade left it.
    void withoutAMeterShortcutsLeadToTheirPagesAndTheUpgradeBarStartsEmpty() {
        MeterFixture f;
        f.open();
        f.widget<QAbstractButton>("disp_btnSysSet")->click();
        QCOMPARE(f.pages()->currentIndex(), 3);
        f.widget<QAbstractButton>("settings_btnReturn")->click();
        QCOMPARE(f.pages()->currentIndex(), 0);
        auto* bar = f.widget<QProgressBar>("upgrade_progressBar_fw");
        bar->setRange(0, 500);
        bar->setValue(250);
        f.widget<QAbstractButton>("disp_btnUpgrade")->click();
        QCOMPARE(f.pages()->currentIndex(), 1);
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(bar->value(), 0);
    }
};

QTEST_MAIN(NavigationTest)
#include "test_navigation.moc"
