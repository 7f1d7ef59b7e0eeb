// SPDX-License-Identifier: GPL-3.0-or-later
#include "HidLibrary.h"
#include "MeterDiscovery.h"
#include "ScopedWorkDir.h"
#include "SimMeter.h"
#include "USBThread.h"

#include "Setting.h"

#include <QtTest>

#include <hidapi.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {
constexpr quint16 vendor = 0x0483;
constexpr quint16 product = 0x5750;
// Generous bounds for the 500 ms probe and reconnect: the behaviour is asserted, not
// the timing.
constexpr int linkTimeoutMs = 3000;

// Records the link's signals on the test's thread: the worker's emissions arrive queued,
// so nothing here is touched by two threads.
struct LinkRecorder : QObject {
    explicit LinkRecorder(USBThread& link) {
        connect(&link, &USBThread::usb_connect, this, [this](const QString& p) { products << p; });
        connect(&link, &USBThread::usb_disconnect, this, [this] { ++disconnects; });
        connect(&link, &USBThread::usb_send_error, this, [this] { ++sendErrors; });
        connect(&link, &USBThread::new_data, this, [this](const QByteArray& r) { reports << r; });
    }
    QStringList products;
    int disconnects = 0;
    int sendErrors = 0;
    QList<QByteArray> reports;
};
bool openAndStart(USBThread& link) {
    link.setIds(vendor, product);
    const bool opened = link.openDevice();
    link.start();
    return opened;
}
} // namespace

class LinkThreadTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        sim::reset();
        workDir = std::make_unique<ScopedWorkDir>();
    }
    void cleanup() {
        workDir.reset();
        sim::reset();
    }

    // Opening again keeps the one handle.
    void meterPresentAtOpenIsAnnouncedOnceWithItsProductString() {
        sim::Identity id;
        id.product = L"USB K82 V1.2";
        const int meter = sim::plug(id);
        USBThread link;
        LinkRecorder rec(link);
        link.setIds(vendor, product);
        QVERIFY(link.openDevice());
        QVERIFY(link.openDevice());
        QCOMPARE(sim::openHandleCount(meter), 1);
        QCOMPARE(rec.products, QStringList{"USB K82 V1.2"});
        QCOMPARE(link.isClosed(), 0);
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(link.rounds() >= 2, linkTimeoutMs);
        QCoreApplication::processEvents(); // an announcement made in those rounds
        QCOMPARE(rec.products.size(), 1);
    }

    // Each try is one enumeration; a loop that tried on every wake-up would make them
    // back-to-back. A loaded machine can only make the gaps longer.
    void withoutAMeterTheLinkLooksAgainEveryHalfSecondAndSaysNothing() {
        USBThread link;
        LinkRecorder rec(link);
        link.setIds(vendor, product);
        QVERIFY(!link.openDevice());
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(sim::enumerationTimes().size() >= 4, 4 * linkTimeoutMs);
        link.stopAndWait();
        const auto tries = sim::enumerationTimes();
        for (size_t i = 1; i < tries.size(); ++i) {
            const auto gap = tries[i] - tries[i - 1];
            QVERIFY2(gap >= USBThread::checkInterval / 2,
                     qPrintable(QString("try %1 came %2 ms after the one before")
                                    .arg(i)
                                    .arg(std::chrono::duration<double, std::milli>(gap).count())));
        }
        QCOMPARE(rec.products.size(), 0);
        QCOMPARE(rec.disconnects, 0);
        QVERIFY(link.isClosed() != 0);
        QVERIFY(link.meterPath().isEmpty());
    }

    void ofSeveralMetersTheLastListedIsHeldUntilItIsUnplugged() {
        sim::Identity first;
        first.serial = L"AAA111";
        sim::Identity other; // another product, listed last, is not a meter
        other.productId = 0x1234;
        sim::Identity second;
        second.serial = L"BBB222";
        const int a = sim::plug(first);
        const int b = sim::plug(second);
        sim::plug(other);
        USBThread link;
        LinkRecorder rec(link);
        QVERIFY(openAndStart(link));
        QCOMPARE(sim::openHandleCount(b), 1);
        QCOMPARE(sim::openHandleCount(a), 0);
        hid_device* dialogSide = hid_open_path(link.meterPath().constData());
        QVERIFY(dialogSide);
        QCOMPARE(readMeterStrings(dialogSide).serial, QString("BBB222"));
        hid_close(dialogSide);
        const int c = sim::plug();
        sim::unplug(b);
        QTRY_COMPARE_WITH_TIMEOUT(rec.products.size(), 2, linkTimeoutMs);
        QCOMPARE(rec.disconnects, 1);
        QCOMPARE(sim::openHandleCount(c), 1);
        QCOMPARE(sim::openHandleCount(a), 0);
    }

    void unplugIsNoticedOnceAndReplugReconnects() {
        const int meter = sim::plug();
        USBThread link;
        LinkRecorder rec(link);
        QVERIFY(openAndStart(link));
        sim::unplug(meter);
        QTRY_COMPARE_WITH_TIMEOUT(rec.disconnects, 1, linkTimeoutMs);
        QCOMPARE(sim::openHandleCount(meter), 0);
        // Two reconnect tries later the loss has still been told only once.
        const size_t tries = sim::enumerationTimes().size();
        QTRY_VERIFY_WITH_TIMEOUT(sim::enumerationTimes().size() >= tries + 2, 2 * linkTimeoutMs);
        QCOMPARE(rec.disconnects, 1);
        QVERIFY(link.isClosed() != 0);
        sim::replug(meter);
        QTRY_COMPARE_WITH_TIMEOUT(rec.products.size(), 2, linkTimeoutMs);
        QCOMPARE(link.isClosed(), 0);
        QCOMPARE(sim::openHandleCount(meter), 1);
    }

    void shortReportsAreNotHandedOver() {
        const int meter = sim::plug();
        USBThread link;
        LinkRecorder rec(link);
        QVERIFY(openAndStart(link));
        sim::sendRawInput(meter, {0xAA, 0x40, 0x62});
        for (int i = 0; i < 20; ++i) {
            sim::Report r{};
            r.fill(static_cast<unsigned char>(i));
            sim::sendInput(meter, r);
        }
        // The short report came first, so it was dealt with before the full ones arrived.
        QTRY_COMPARE_WITH_TIMEOUT(rec.reports.size(), 20, linkTimeoutMs);
        for (int i = 0; i < 20; ++i)
            QCOMPARE(rec.reports.at(i), QByteArray(64, char(i))); // each its own copy, in order
    }

    void payloadGoesOutBehindTheReportByteAndLosesItsLastByte() {
        const int meter = sim::plug();
        USBThread link;
        QVERIFY(openAndStart(link));
        unsigned char payload[64];
        for (int i = 0; i < 64; ++i)
            payload[i] = static_cast<unsigned char>(0x80 + i);
        link.sendPayload(payload, 64);
        const auto written = sim::writtenReports(meter);
        QCOMPARE(written.size(), size_t(1));
        QCOMPARE(written[0][0], 0x55);
        for (int i = 1; i < 64; ++i)
            QCOMPARE(int(written[0][i]), 0x80 + i - 1);
    }

    // The write is tried on the handle still open, and a receiver of the error may send
    // again; once the loop has closed the handle, nothing is tried.
    void failedPayloadWriteReportsAnErrorAndNothingWhenClosed() {
        const int meter = sim::plug();
        USBThread link;
        LinkRecorder rec(link);
        link.setIds(vendor, product);
        QVERIFY(link.openDevice());
        sim::unplug(meter);
        const unsigned char frame[6] = {0xAA, 0x06, 0x12, 0x00, 0xCD, 0x5D};
        // Emitted on this thread, after the recorder counted it: runs inside sendPayload.
        connect(&link, &USBThread::usb_send_error, this, [&] {
            if (rec.sendErrors == 1)
                link.sendPayload(frame, 6);
        });
        link.sendPayload(frame, 6);
        QCOMPARE(rec.sendErrors, 2);
        link.start();
        QTRY_COMPARE_WITH_TIMEOUT(rec.disconnects, 1, linkTimeoutMs);
        link.sendPayload(frame, 6);
        QCOMPARE(rec.sendErrors, 2);
    }

    // A writer hammers the link while the meter comes and goes: no write may reach a
    // handle the loop has already closed.
    void writesRacingUnplugAndCloseNeverUseAClosedHandle() {
        const int meter = sim::plug();
        USBThread link;
        QVERIFY(openAndStart(link));
        // Each write holds its handle for a while, so an unguarded one would be caught.
        sim::setWriteDelayMs(1);
        std::atomic<bool> writing{true};
        std::thread writer([&] {
            const unsigned char frame[9] = {0x55, 0x05, 0x09, 0x45, 0, 0, 0, 0xEE, 0xFF};
            while (writing)
                link.sendPayload(frame, 9);
        });
        for (int cycle = 0; cycle < 4; ++cycle) {
            sim::unplug(meter);
            QTRY_VERIFY_WITH_TIMEOUT(link.isClosed() != 0, linkTimeoutMs);
            sim::replug(meter);
            QTRY_COMPARE_WITH_TIMEOUT(link.isClosed(), 0, linkTimeoutMs);
        }
        writing = false;
        writer.join();
        link.stopAndWait();
        QCOMPARE(sim::closedHandleUses(), 0);
        QVERIFY(sim::deadHandleWrites(meter) > 0);
        QCOMPARE(sim::openHandleCount(meter), 1);
    }

    void libraryWideCallsNeverOverlapBetweenThreads() {
        // Each library-wide call is slowed down so that unguarded calls from the link
        // thread's reconnect attempts and the dialog's enumeration would overlap.
        sim::setLibraryCallDelayMs(30);
        USBThread link;
        link.setIds(vendor, product);
        QVERIFY(!link.openDevice());
        link.start();
        // Until the link has tried to reconnect three times while this thread hammered.
        QElapsedTimer timer;
        timer.start();
        while (link.rounds() < 3 && timer.elapsed() < 4 * linkTimeoutMs) {
            findLastMeterPath(vendor, product);
            hid_close(HidLibrary::openPath("sim-meter-1"));
        }
        link.stopAndWait();
        QVERIFY(link.rounds() >= 3);
        QCOMPARE(sim::maxOverlappingLibraryCalls(), 1);
    }

    void stoppingJoinsTheLoopAndDestructionReleasesTheHandle() {
        const int meter = sim::plug();
        {
            USBThread link;
            link.setIds(vendor, product);
            QVERIFY(link.openDevice());
            link.start();
            link.stopAndWait();
            QVERIFY(link.isFinished());
            QCOMPARE(sim::openHandleCount(meter), 1);
        }
        QCOMPARE(sim::openHandleCount(meter), 0);
    }

    void pauseClosesAndReportsDisconnectResumeReconnects() {
        const int meter = sim::plug();
        USBThread link;
        LinkRecorder rec(link);
        QVERIFY(openAndStart(link));
        link.pauseLink();
        QTRY_VERIFY_WITH_TIMEOUT(rec.disconnects == 1 && link.held(), linkTimeoutMs);
        QCOMPARE(sim::openHandleCount(meter), 0);
        QCoreApplication::processEvents();
        QCOMPARE(rec.products.size(), 1);
        link.resumeLink();
        QTRY_COMPARE_WITH_TIMEOUT(rec.products.size(), 2, linkTimeoutMs);
    }

    void reportIdIsStoredAtFirstStartAndReadAsItsLowByte() {
        QVERIFY(!QFile::exists("usb-hid.ini"));
        QCOMPARE(USBThread().reportId(), quint8(0x55));
        QCOMPARE(Setting().readValue("report_id"), QString("85"));
        Setting().writeValue("report_id", "300");
        QCOMPARE(USBThread().reportId(), quint8(44));
        QCOMPARE(Setting().readValue("report_id"), QString("300"));
    }

private:
    std::unique_ptr<ScopedWorkDir> workDir;
};

QTEST_GUILESS_MAIN(LinkThreadTest)
#include "test_link_thread.moc"
