// The hidapi functions of the simulated meter: hidraw-like delivery to every open handle,
// queue limits, unplug and replug, enumeration, opening, strings, and blocking reads.

#include "SimTestSupport.h"

#include <QtTest>

#include <future>
#include <thread>

namespace {

// A full input report whose first bytes identify it.
sim::Report taggedReport(int tag) {
    sim::Report report{};
    report[0] = 0xAA;
    report[1] = static_cast<unsigned char>(tag);
    report[63] = static_cast<unsigned char>(tag ^ 0xFF);
    return report;
}

sim::Identity identity(unsigned short product, const std::wstring& serial) {
    sim::Identity id;
    id.productId = product;
    id.serial = serial;
    return id;
}

QString serialOf(hid_device* handle) {
    wchar_t buffer[64] = {};
    if (hid_get_serial_number_string(handle, buffer, 64) != 0)
        return QStringLiteral("<error>");
    return QString::fromWCharArray(buffer);
}

} // namespace

class SimHidTest : public QObject {
    Q_OBJECT

private slots:
    void init() { sim::reset(); }
    void cleanupTestCase() { sim::reset(); }

    // Delivery and queues
    void everyInputReportReachesEveryOpenHandle();
    void handleOpenedLaterMissesEarlierReports();
    void queueKeepsTheOldest64AndDropsNewer();
    void rawInputIsReadWithItsOwnLength();
    void readCopiesAtMostTheBufferLength();
    void writesAreRecordedInOrderZeroPadded();
    void writeOfMoreThanOneReportFails();

    // Unplug and replug
    void unplugFailsReadsAndWritesOnOpenHandles();
    void unpluggedMeterIsNotListedAndRefusesOpens();
    void replugAllowsNewOpensWhileOldHandlesStayDead();
    void handleCountsFollowOpenAndClose();
    void resetForgetsDevicesAndCounts();

    // Enumeration and opening
    void enumerationListsPluggedDevicesInPlugOrder();
    void enumerationFiltersByVendorAndProduct();
    void openWithoutSerialTakesTheFirstMatch();
    void openBySerialTakesThatDevice();

    // Strings
    void stringGettersReturnTheIdentity();
    void stringGettersTruncateToMaxlenMinusOne();
    void stringGettersFailOnDeadOrInvalidArguments();

    // Threads and timeouts
    void readTimeoutReturnsZeroWhenNothingArrives();
    void readTimeoutWakesWhenInputArrivesFromAnotherThread();
    void blockingReadWakesWhenInputArrives();
    void unplugWakesABlockedReaderWithAnError();
    void concurrentWritersKeepEachThreadsOrder();
};

void SimHidTest::everyInputReportReachesEveryOpenHandle() {
    const int id = sim::plug();
    Handle first = openMeter();
    Handle second = openMeter();
    QVERIFY(first && second);

    sim::sendInput(id, taggedReport(1));
    sim::sendInput(id, taggedReport(2));

    for (hid_device* handle : {first.get(), second.get()}) {
        const ReadResult one = readReport(handle);
        QCOMPARE(one.result, 64);
        QCOMPARE(one.bytes, toBytes(taggedReport(1)));
        QCOMPARE(readReport(handle).bytes, toBytes(taggedReport(2)));
        QCOMPARE(readReport(handle).result, 0);
    }
}

void SimHidTest::handleOpenedLaterMissesEarlierReports() {
    const int id = sim::plug();
    Handle early = openMeter();
    sim::sendInput(id, taggedReport(7));
    Handle late = openMeter();

    QCOMPARE(readReport(late.get()).result, 0);
    QCOMPARE(readReport(early.get()).bytes, toBytes(taggedReport(7)));
}

void SimHidTest::queueKeepsTheOldest64AndDropsNewer() {
    const int id = sim::plug();
    Handle handle = openMeter();
    for (int tag = 0; tag < 70; ++tag)
        sim::sendInput(id, taggedReport(tag));

    for (int tag = 0; tag < 64; ++tag)
        QCOMPARE(readReport(handle.get()).bytes, toBytes(taggedReport(tag)));
    QCOMPARE(readReport(handle.get()).result, 0);

    // Room again after draining.
    sim::sendInput(id, taggedReport(99));
    QCOMPARE(readReport(handle.get()).bytes, toBytes(taggedReport(99)));
}

void SimHidTest::rawInputIsReadWithItsOwnLength() {
    const int id = sim::plug();
    Handle handle = openMeter();

    sim::sendRawInput(id, {0xAA, 0x40, 0x62, 0x05, 0x01});
    const ReadResult shortRead = readReport(handle.get());
    QCOMPARE(shortRead.result, 5);
    QCOMPARE(shortRead.bytes, hexBytes("aa40620501"));

    // More than one report's worth is cut to 64 bytes.
    sim::sendRawInput(id, std::vector<unsigned char>(80, 0x11));
    const ReadResult longRead = readReport(handle.get(), 0, 100);
    QCOMPARE(longRead.result, 64);
    QCOMPARE(longRead.bytes, QByteArray(64, 0x11));
}

void SimHidTest::readCopiesAtMostTheBufferLength() {
    const int id = sim::plug();
    Handle handle = openMeter();
    sim::sendInput(id, taggedReport(3));

    const ReadResult read = readReport(handle.get(), 0, 10);
    QCOMPARE(read.result, 10);
    QCOMPARE(read.bytes, toBytes(taggedReport(3)).left(10));
    QCOMPARE(readReport(handle.get()).result, 0); // the rest of the report is gone
}

void SimHidTest::writesAreRecordedInOrderZeroPadded() {
    const int id = sim::plug();
    Handle first = openMeter();
    Handle second = openMeter();

    QCOMPARE(writeBytes(first.get(), hexBytes("550509450000")), 6);
    QCOMPARE(writeFrame(second.get(), hexBytes("55050947000000eeff")), 64);

    QCOMPARE(sim::writtenReports(id).size(), size_t(2));
    QCOMPARE(writtenBytes(id, 0), padded(hexBytes("550509450000")));
    QCOMPARE(writtenBytes(id, 1), padded(hexBytes("55050947000000eeff")));

    sim::clearWrittenReports(id);
    QVERIFY(sim::writtenReports(id).empty());
}

void SimHidTest::writeOfMoreThanOneReportFails() {
    const int id = sim::plug();
    Handle handle = openMeter();
    QCOMPARE(writeBytes(handle.get(), QByteArray(65, 0x55)), -1);
    QCOMPARE(writeBytes(handle.get(), QByteArray()), -1);
    QVERIFY(sim::writtenReports(id).empty());
}

void SimHidTest::unplugFailsReadsAndWritesOnOpenHandles() {
    const int id = sim::plug();
    Handle first = openMeter();
    Handle second = openMeter();
    sim::sendInput(id, taggedReport(1)); // queued before the unplug, never read

    sim::unplug(id);
    QVERIFY(!sim::isPlugged(id));

    for (hid_device* handle : {first.get(), second.get()}) {
        QCOMPARE(readReport(handle).result, -1);
        QCOMPARE(readReport(handle, 50).result, -1);
        QCOMPARE(writeFrame(handle, hexBytes("55050945000000eeff")), -1);
        QVERIFY(hid_error(handle) != nullptr);
    }
    QVERIFY(sim::writtenReports(id).empty());
}

void SimHidTest::unpluggedMeterIsNotListedAndRefusesOpens() {
    const int id = sim::plug();
    sim::unplug(id);

    QVERIFY(hid_enumerate(0, 0) == nullptr);
    QVERIFY(!openMeter());
    QVERIFY(!openMeter(L"0123456789"));
    QCOMPARE(sim::openAttempts(), 2);
    QCOMPARE(sim::openHandleCount(id), 0);
}

void SimHidTest::replugAllowsNewOpensWhileOldHandlesStayDead() {
    const int id = sim::plug();
    Handle old = openMeter();
    sim::unplug(id);
    QVERIFY(!openMeter());

    sim::replug(id);
    QVERIFY(sim::isPlugged(id));
    hid_device_info* list = hid_enumerate(meterVendor, meterProduct);
    QVERIFY(list != nullptr);
    hid_free_enumeration(list);

    Handle fresh = openMeter();
    QVERIFY(fresh);
    sim::sendInput(id, taggedReport(5));
    QCOMPARE(readReport(fresh.get()).bytes, toBytes(taggedReport(5)));
    QCOMPARE(readReport(old.get()).result, -1);
    QCOMPARE(writeFrame(old.get(), hexBytes("55050945000000eeff")), -1);
    QCOMPARE(writeFrame(fresh.get(), hexBytes("55050945000000eeff")), 64);
    QCOMPARE(sim::writtenReports(id).size(), size_t(1));
    QCOMPARE(sim::openAttempts(), 3);
}

void SimHidTest::handleCountsFollowOpenAndClose() {
    const int a = sim::plug(identity(meterProduct, L"A"));
    const int b = sim::plug(identity(meterProduct, L"B"));
    Handle a1 = openMeter(L"A");
    Handle a2 = openMeter(L"A");
    Handle b1 = openMeter(L"B");
    QCOMPARE(sim::openHandleCount(a), 2);
    QCOMPARE(sim::openHandleCount(b), 1);
    QCOMPARE(sim::totalOpenHandles(), 3);

    // Handles of an unplugged meter stay open until the program closes them.
    sim::unplug(a);
    QCOMPARE(sim::openHandleCount(a), 2);
    a1.reset();
    QCOMPARE(sim::openHandleCount(a), 1);
    QCOMPARE(sim::totalOpenHandles(), 2);

    hid_close(nullptr);
    b1.reset();
    a2.reset();
    QCOMPARE(sim::totalOpenHandles(), 0);
    QCOMPARE(sim::openAttempts(), 3);
}

void SimHidTest::resetForgetsDevicesAndCounts() {
    const int id = sim::plug();
    Handle handle = openMeter();
    QVERIFY(!openMeter(L"nope"));

    sim::reset();
    QCOMPARE(sim::totalOpenHandles(), 0);
    QCOMPARE(sim::openAttempts(), 0);
    QVERIFY(!sim::isPlugged(id));
    QVERIFY(hid_enumerate(0, 0) == nullptr);
    QCOMPARE(readReport(handle.get()).result, -1);
    handle.reset(); // closing a handle of a forgotten device is harmless
    QCOMPARE(sim::totalOpenHandles(), 0);
}

void SimHidTest::enumerationListsPluggedDevicesInPlugOrder() {
    sim::Identity first;
    first.manufacturer = L"ACME";
    first.product = L"USB Q7 V2.1";
    first.serial = L"111";
    sim::plug(first);
    const int unplugged = sim::plug(identity(meterProduct, L"222"));
    sim::plug(identity(0x1234, L"333"));
    sim::unplug(unplugged);

    hid_device_info* list = hid_enumerate(0, 0);
    QVERIFY(list != nullptr);
    QCOMPARE(list->vendor_id, meterVendor);
    QCOMPARE(list->product_id, meterProduct);
    QCOMPARE(QString::fromWCharArray(list->serial_number), QStringLiteral("111"));
    QCOMPARE(QString::fromWCharArray(list->manufacturer_string), QStringLiteral("ACME"));
    QCOMPARE(QString::fromWCharArray(list->product_string), QStringLiteral("USB Q7 V2.1"));
    QVERIFY(list->path != nullptr && list->path[0] != '\0');

    hid_device_info* second = list->next;
    QVERIFY(second != nullptr);
    QCOMPARE(second->product_id, static_cast<unsigned short>(0x1234));
    QCOMPARE(QString::fromWCharArray(second->serial_number), QStringLiteral("333"));
    QVERIFY(QByteArray(second->path) != QByteArray(list->path));
    QVERIFY(second->next == nullptr);
    hid_free_enumeration(list);
}

void SimHidTest::enumerationFiltersByVendorAndProduct() {
    sim::plug(identity(meterProduct, L"A"));
    sim::plug(identity(0x1234, L"B"));
    sim::plug(identity(meterProduct, L"C"));

    hid_device_info* meters = hid_enumerate(meterVendor, meterProduct);
    QStringList serials;
    for (hid_device_info* entry = meters; entry; entry = entry->next)
        serials << QString::fromWCharArray(entry->serial_number);
    hid_free_enumeration(meters);
    QCOMPARE(serials, QStringList({"A", "C"}));

    QVERIFY(hid_enumerate(meterVendor, 0x9999) == nullptr);
    QVERIFY(hid_enumerate(0x9999, 0) == nullptr);
    hid_free_enumeration(nullptr);
}

void SimHidTest::openWithoutSerialTakesTheFirstMatch() {
    sim::plug(identity(0x1234, L"other"));
    const int first = sim::plug(identity(meterProduct, L"first"));
    sim::plug(identity(meterProduct, L"second"));

    Handle handle = openMeter();
    QCOMPARE(serialOf(handle.get()), QStringLiteral("first"));

    sim::unplug(first);
    Handle next = openMeter();
    QCOMPARE(serialOf(next.get()), QStringLiteral("second"));
}

void SimHidTest::openBySerialTakesThatDevice() {
    sim::plug(identity(meterProduct, L"first"));
    const int second = sim::plug(identity(meterProduct, L"second"));

    Handle handle = openMeter(L"second");
    QCOMPARE(serialOf(handle.get()), QStringLiteral("second"));
    QCOMPARE(sim::openHandleCount(second), 1);
    QVERIFY(!openMeter(L"third"));
    QVERIFY(!openMeter(L"secon"));
    QVERIFY(!hid_open(meterVendor, 0x1234, L"second"));
}

void SimHidTest::stringGettersReturnTheIdentity() {
    sim::plug();
    Handle handle = openMeter();
    wchar_t buffer[64];

    QCOMPARE(hid_get_manufacturer_string(handle.get(), buffer, 64), 0);
    QCOMPARE(QString::fromWCharArray(buffer), QStringLiteral("VARNIK"));
    QCOMPARE(hid_get_product_string(handle.get(), buffer, 64), 0);
    QCOMPARE(QString::fromWCharArray(buffer), QStringLiteral("USB K82 V1.0"));
    QCOMPARE(hid_get_serial_number_string(handle.get(), buffer, 64), 0);
    QCOMPARE(QString::fromWCharArray(buffer), QStringLiteral("0123456789"));
}

void SimHidTest::stringGettersTruncateToMaxlenMinusOne() {
    sim::plug();
    Handle handle = openMeter();
    wchar_t buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), L'#');

    QCOMPARE(hid_get_manufacturer_string(handle.get(), buffer, 5), 0);
    QCOMPARE(QString::fromWCharArray(buffer), QStringLiteral("VARN"));
    QCOMPARE(buffer[5], L'#'); // nothing written past maxlen

    QCOMPARE(hid_get_product_string(handle.get(), buffer, 1), 0);
    QCOMPARE(buffer[0], L'\0');

    // Exactly fitting: all 10 characters need maxlen 11.
    QCOMPARE(hid_get_serial_number_string(handle.get(), buffer, 10), 0);
    QCOMPARE(QString::fromWCharArray(buffer), QStringLiteral("012345678"));
    QCOMPARE(hid_get_serial_number_string(handle.get(), buffer, 11), 0);
    QCOMPARE(QString::fromWCharArray(buffer), QStringLiteral("0123456789"));
}

void SimHidTest::stringGettersFailOnDeadOrInvalidArguments() {
    const int id = sim::plug();
    Handle handle = openMeter();
    wchar_t buffer[64];

    QCOMPARE(hid_get_product_string(handle.get(), buffer, 0), -1);
    QCOMPARE(hid_get_product_string(handle.get(), nullptr, 64), -1);
    QCOMPARE(hid_get_product_string(nullptr, buffer, 64), -1);

    sim::unplug(id);
    QCOMPARE(hid_get_manufacturer_string(handle.get(), buffer, 64), -1);
    QCOMPARE(hid_get_product_string(handle.get(), buffer, 64), -1);
    QCOMPARE(hid_get_serial_number_string(handle.get(), buffer, 64), -1);
}

void SimHidTest::readTimeoutReturnsZeroWhenNothingArrives() {
    sim::plug();
    Handle handle = openMeter();
    QCOMPARE(readReport(handle.get(), 30).result, 0);
    QCOMPARE(readReport(handle.get(), 0).result, 0);

    unsigned char buffer[64];
    QCOMPARE(hid_set_nonblocking(handle.get(), 1), 0);
    QCOMPARE(hid_read(handle.get(), buffer, sizeof buffer), 0);
    QCOMPARE(sim::waitingReaders(), 0);
}

void SimHidTest::readTimeoutWakesWhenInputArrivesFromAnotherThread() {
    const int id = sim::plug();
    Handle handle = openMeter();

    auto reader =
        std::async(std::launch::async, [&] { return readReport(handle.get(), 10 * 60 * 1000); });
    QTRY_COMPARE(sim::waitingReaders(), 1);
    sim::sendInput(id, taggedReport(42));

    const ReadResult read = reader.get();
    QCOMPARE(read.result, 64);
    QCOMPARE(read.bytes, toBytes(taggedReport(42)));
    QCOMPARE(sim::waitingReaders(), 0);
}

void SimHidTest::blockingReadWakesWhenInputArrives() {
    const int id = sim::plug();
    Handle handle = openMeter();
    QCOMPARE(hid_set_nonblocking(handle.get(), 1), 0);
    QCOMPARE(hid_set_nonblocking(handle.get(), 0), 0); // back to blocking

    auto reader = std::async(std::launch::async, [&] {
        sim::Report buffer{};
        const int result = hid_read(handle.get(), buffer.data(), buffer.size());
        return std::make_pair(result, buffer);
    });
    QTRY_COMPARE(sim::waitingReaders(), 1);
    sim::sendInput(id, taggedReport(9));

    const auto [result, buffer] = reader.get();
    QCOMPARE(result, 64);
    QCOMPARE(toBytes(buffer), toBytes(taggedReport(9)));
}

void SimHidTest::unplugWakesABlockedReaderWithAnError() {
    const int id = sim::plug();
    Handle handle = openMeter();

    auto reader = std::async(std::launch::async, [&] { return readReport(handle.get(), -1); });
    QTRY_COMPARE(sim::waitingReaders(), 1);
    sim::unplug(id);

    QCOMPARE(reader.get().result, -1);
}

void SimHidTest::concurrentWritersKeepEachThreadsOrder() {
    const int id = sim::plug();
    Handle shared = openMeter();
    Handle own = openMeter();
    constexpr int perThread = 300;

    // Each report carries its writer and sequence number after the report identifier.
    const auto writeMany = [](hid_device* handle, unsigned char writer) {
        for (int i = 0; i < perThread; ++i) {
            QByteArray report(64, '\0');
            report[0] = char(0x55);
            report[1] = char(writer);
            report[2] = char(i >> 8);
            report[3] = char(i & 0xFF);
            writeBytes(handle, report);
        }
    };
    std::thread a(writeMany, shared.get(), 1);
    std::thread b(writeMany, shared.get(), 2);
    std::thread c(writeMany, own.get(), 3);
    a.join();
    b.join();
    c.join();

    const std::vector<sim::Report> written = sim::writtenReports(id);
    QCOMPARE(written.size(), size_t(3 * perThread));
    int next[4] = {0, 0, 0, 0};
    for (const sim::Report& report : written) {
        const int writer = report[1];
        QVERIFY(writer >= 1 && writer <= 3);
        QCOMPARE((report[2] << 8) | report[3], next[writer]);
        ++next[writer];
    }
}

QTEST_GUILESS_MAIN(SimHidTest)
#include "test_sim_hid.moc"
