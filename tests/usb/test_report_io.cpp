// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterDiscovery.h"
#include "ReportInput.h"
#include "ReportOutput.h"
#include "SimMeter.h"

#include <hidapi.h>

#include <QtTest>

#include <vector>

class ReportIoTest : public QObject {
    Q_OBJECT
private slots:
    void init() { sim::reset(); }
    void cleanup() { sim::reset(); }

    // A frame goes out as the start of one zero-filled report; a longer one is cut, and
    // null devices and null data are ignored.
    void frameIsSentAsThe64ByteReportZeroPadded() {
        const int meter = sim::plug();
        hid_device* dev = hid_open(0x0483, 0x5750, nullptr);
        sendReport(dev, QByteArray::fromHex("55050945000000EEFF"));
        sendReport(dev, QByteArray(100, char(0x55)));
        sendReport(nullptr, QByteArray(9, char(0x55)));
        sendReport(dev, nullptr, 9);
        sim::Report cut;
        cut.fill(0x55);
        const std::vector<sim::Report> expected{
            {0x55, 0x05, 0x09, 0x45, 0, 0, 0, 0xEE, 0xFF}, cut, {}};
        QCOMPARE(sim::writtenReports(meter), expected);
        hid_close(dev);
    }

    // The write is tried once on the dead handle, not retried, and its failure goes no
    // further.
    void writeAfterUnplugFailsSilently() {
        const int meter = sim::plug();
        hid_device* dev = hid_open(0x0483, 0x5750, nullptr);
        sim::unplug(meter);
        sendReport(dev, QByteArray::fromHex("550522050B008CEEFF"));
        QCOMPARE(sim::deadHandleWrites(meter), 1);
        QVERIFY(sim::writtenReports(meter).empty());
        hid_close(dev);
    }

    void drainReadsEveryQueuedReportOldestFirstAndSkipsShortOnes() {
        const int meter = sim::plug();
        hid_device* dev = hid_open(0x0483, 0x5750, nullptr);
        for (unsigned char i = 1; i <= 3; ++i) {
            sim::Report r{};
            r[0] = 0xAA;
            r[5] = i;
            sim::sendInput(meter, r);
            if (i == 2)
                sim::sendRawInput(meter, {0xAA, 0x40});
        }
        std::vector<int> order;
        const int full = drainReports(dev, [&](const unsigned char* r) { order.push_back(r[5]); });
        QCOMPARE(full, 3);
        QCOMPARE(order, (std::vector<int>{1, 2, 3}));
        QCOMPARE(drainReports(dev, [](const unsigned char*) {}), 0);
        QCOMPARE(drainReports(nullptr, [](const unsigned char*) {}), 0);
        sim::unplug(meter);
        QCOMPARE(drainReports(dev, [](const unsigned char*) {}), 0);
        hid_close(dev);
    }

    void productStringWordsGiveModelAndVersion_data() {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("version");
        const auto row = [](const char* name, const char* product, const char* model,
                            const char* version) {
            QTest::newRow(name) << QString(product) << QString(model) << QString(version);
        };
        row("three words", "A B C", "B", "C");
        row("empty third part", "A B  ", "B", "");
        row("one word", "A", "", "");
        row("empty", "", "", "");
        row("double space before model", "A  B", "", "B");
        row("four words", "USB K82 V1.0 extra", "K82", "V1.0");
    }
    void productStringWordsGiveModelAndVersion() {
        QFETCH(QString, product);
        QFETCH(QString, model);
        QFETCH(QString, version);
        const ProductWords words = splitProductString(product);
        QCOMPARE(words.model, model);
        QCOMPARE(words.version, version);
    }

    void stringDescriptorsAreCutAt63Characters() {
        sim::Identity id;
        id.manufacturer = std::wstring(80, L'm');
        id.product = L"USB 电表 V2";
        id.serial = L"0123456789";
        sim::plug(id);
        hid_device* dev = hid_open(0x0483, 0x5750, nullptr);
        const MeterStrings s = readMeterStrings(dev);
        QCOMPARE(s.manufacturer, QString(63, 'm'));
        QCOMPARE(s.product, QString("USB 电表 V2"));
        QCOMPARE(s.serial, QString("0123456789"));
        hid_close(dev);
    }
};

QTEST_GUILESS_MAIN(ReportIoTest)
#include "test_report_io.moc"
