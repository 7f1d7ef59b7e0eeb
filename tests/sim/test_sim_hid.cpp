// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated meter through the hidapi functions: hidraw-like delivery to every open
// handle, queue limits, unplug and replug, blocking reads, and the meter's answers to the
// frames the host writes.

#include <SimMeter.h>
#include <hidapi.h>

#include <QtTest>

#include <climits>
#include <future>
#include <memory>
#include <vector>

namespace {

constexpr unsigned short meterVendor = 0x0483;
constexpr unsigned short meterProduct = 0x5750;
constexpr int viaHidRead = INT_MIN; // read() through hid_read instead of hid_read_timeout

using Handle = std::unique_ptr<hid_device, void (*)(hid_device*)>;
Handle openMeter() {
    return Handle(hid_open(meterVendor, meterProduct, nullptr), hid_close);
}

QByteArray bytes(const sim::Report& report) {
    return QByteArray(reinterpret_cast<const char*>(report.data()), int(report.size()));
}

// A full 64-byte report: `hex` (spaces ignored), then zeros.
QByteArray report(const QByteArray& hex) {
    const QByteArray start = QByteArray::fromHex(hex);
    return start + QByteArray(64 - start.size(), '\0');
}

// A full input report whose first and last bytes identify it.
sim::Report tagged(int tag) {
    sim::Report report{0xAA, static_cast<unsigned char>(tag)};
    report[63] = static_cast<unsigned char>(tag ^ 0xFF);
    return report;
}

int write(hid_device* handle, const QByteArray& data) {
    return hid_write(handle, reinterpret_cast<const unsigned char*>(data.constData()),
                     size_t(data.size()));
}

// What a read copied: empty when nothing came, `failed` when it returned -1.
const QByteArray failed = "<read failed>";
QByteArray read(hid_device* handle, int timeoutMs = 0) {
    std::vector<unsigned char> buffer(64);
    const int result = timeoutMs == viaHidRead
                           ? hid_read(handle, buffer.data(), buffer.size())
                           : hid_read_timeout(handle, buffer.data(), buffer.size(), timeoutMs);
    return result < 0 ? failed : QByteArray(reinterpret_cast<const char*>(buffer.data()), result);
}

// Every report queued on the handle, concatenated in order.
QByteArray drain(hid_device* handle) {
    QByteArray all;
    for (QByteArray next = read(handle); !next.isEmpty() && next != failed; next = read(handle))
        all += next;
    return all;
}

// The meter's side: a state and the reports it answers with.
const char* const pollFrame = "550522050b008ceeff";
const char* const settingsFrame = "55050946000000eeff";
const QByteArray factorySettings =
    report("aa05400000000000 0005021e01000000 3f800000 3f800000 3f800000 3c23d70a").left(62) +
    QByteArray::fromHex("eeff");

sim::MeterState measuredState() {
    sim::MeterState state;
    state.channels = {5.0, 1.234567, 6.172835, 0.6, 0.59, 1.68, 0.0, 36.5, 25.25};
    state.direction = 2;
    return state;
}

const QByteArray measuredReport = report("aa40620500000000 404b4c0087d61200a3305e00c0270900"
                                         "b000090080a2190000000000 20f22c02d0488101"
                                         "00000000000000000000000000000000 02");

QByteArray settingsNow(hid_device* handle) {
    if (write(handle, report(settingsFrame)) != 64)
        return "write failed";
    return read(handle);
}

} // namespace

class SimHidTest : public QObject {
    Q_OBJECT

private slots:
    void init() { sim::reset(); }
    void cleanupTestCase() { sim::reset(); }

    // A short report keeps its own length.
    void queueKeepsTheOldest64AndDropsNewer() {
        const int id = sim::plug();
        Handle handle = openMeter();
        sim::sendRawInput(id, {0xAA, 0x40, 0x62, 0x05, 0x01});
        QByteArray oldest = QByteArray::fromHex("aa40620501");
        for (int tag = 1; tag < 70; ++tag) {
            sim::sendInput(id, tagged(tag));
            oldest += tag < 64 ? bytes(tagged(tag)) : QByteArray();
        }
        QCOMPARE(drain(handle.get()), oldest);
        sim::sendInput(id, tagged(99)); // room again after draining
        QCOMPARE(drain(handle.get()), bytes(tagged(99)));
    }

    void unplugKillsOpenHandlesUntilReplugAllowsNewOnes() {
        const int id = sim::plug();
        Handle old = openMeter();
        sim::sendInput(id, tagged(1)); // queued before the unplug, never read
        sim::unplug(id);
        QCOMPARE(read(old.get()), failed);
        QCOMPARE(write(old.get(), report(pollFrame)), -1);
        QCOMPARE(hid_enumerate(0, 0), nullptr);
        QVERIFY(!openMeter());
        QCOMPARE(sim::openHandleCount(id), 1); // open until the program closes it

        sim::replug(id);
        Handle fresh = openMeter();
        sim::sendInput(id, tagged(5));
        QCOMPARE(read(fresh.get()), bytes(tagged(5)));
        QCOMPARE(read(old.get()), failed);
    }

    // A reader waiting without time limit or with a long timeout wakes with the input, or
    // fails when the meter is unplugged.
    void waitingReaderWakes_data() {
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<bool>("unplug");
        QTest::newRow("hid_read, blocking again, input") << viaHidRead << false;
        QTest::newRow("ten-minute timeout, input") << 10 * 60 * 1000 << false;
        QTest::newRow("no time limit, unplug") << -1 << true;
    }

    void waitingReaderWakes() {
        QFETCH(int, timeoutMs);
        QFETCH(bool, unplug);
        const int id = sim::plug();
        Handle handle = openMeter();
        QCOMPARE(hid_set_nonblocking(handle.get(), 1), 0);
        QCOMPARE(hid_set_nonblocking(handle.get(), 0), 0);
        auto reader = std::async(std::launch::async, [&] { return read(handle.get(), timeoutMs); });
        QTRY_COMPARE(sim::waitingReaders(), 1);
        unplug ? sim::unplug(id) : sim::sendInput(id, tagged(42));
        QCOMPARE(reader.get(), unplug ? failed : bytes(tagged(42)));
        QCOMPARE(sim::waitingReaders(), 0);
    }

    // Input reaches every handle open when it arrives. Writes from every handle are kept
    // in order, only whole reports; a silent meter still answers the settings page.
    void pollIsAnsweredOnEveryHandleUnlessTheMeterIsSilent() {
        const int id = sim::plug();
        sim::setState(id, measuredState());
        Handle first = openMeter();
        sim::sendInput(id, tagged(1));
        Handle second = openMeter();
        QCOMPARE(write(second.get(), QByteArray::fromHex(pollFrame)), -1); // cut short
        QCOMPARE(write(second.get(), report(pollFrame)), 64);
        QCOMPARE(drain(first.get()), bytes(tagged(1)) + measuredReport);
        QCOMPARE(drain(second.get()), measuredReport);
        QCOMPARE(write(first.get(), QByteArray(65, 0x55)), -1); // more than one report
        QCOMPARE(write(first.get(), QByteArray()), -1);

        sim::MeterState silent = measuredState();
        silent.answersPolls = false;
        sim::setState(id, silent);
        QCOMPARE(settingsNow(first.get()), factorySettings);
        QCOMPARE(write(second.get(), report(pollFrame)), 64);
        QCOMPARE(drain(second.get()), factorySettings);
        QByteArray written;
        for (const sim::Report& each : sim::writtenReports(id))
            written += bytes(each);
        QCOMPARE(written, report(pollFrame) + report(settingsFrame) + report(pollFrame));
    }

    // The frames (space-separated) are written in order and answered with nothing; then the
    // settings report is the factory one with `change` at `offset`, the readings unchanged.
    void framesChangeOnlyWhatTheirCodeSelects_data() {
        QTest::addColumn<QByteArray>("frames");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("change");
        const auto row = [](const char* name, const char* frames, int offset = 0,
                            const char* change = "") {
            QTest::newRow(name) << QByteArray(frames) << offset << QByteArray::fromHex(change);
        };
        row("english", "55050921000000eeff", 8, "01");
        row("chinese after english", "55050921000000eeff 55050920000000eeff", 8, "00");
        row("work brightness 9", "55050a2200000009eeff", 9, "09");
        row("standby brightness 7", "55050a2300000007eeff", 10, "07");
        row("standby time 58", "55050a240000003aeeff", 11, "3a");
        row("style 2", "55050926000000eeff", 12, "02");
        row("style 3", "55050930000000eeff", 12, "03");
        row("style 1 after style 3", "55050930000000eeff 55050925000000eeff", 12, "01");
        row("rotation on", "55050931000000eeff", 13, "01");
        row("rotation off after on", "55050931000000eeff 55050932000000eeff", 13, "00");
        row("voltage factor 1.234", "55050a2a3f9df3b6eeff", 16, "3f9df3b6");
        row("current factor 0.5", "55050a2b3f000000eeff", 20, "3f000000");
        row("temperature factor 2.0", "55050a2c40000000eeff", 24, "40000000");
        row("min current 0 A", "5505092d000000eeff", 28, "00000000");
        row("min current 20 mA", "5505092f000000eeff", 28, "3ca3d70a");
        row("min current 10 mA after 0 A", "5505092d000000eeff 5505092e000000eeff", 28, "3c23d70a");
        row("factory reset after every change",
            "55050921000000eeff 55050a2200000009eeff 55050a2300000007eeff 55050a240000003aeeff "
            "55050930000000eeff 55050931000000eeff 55050a2a3f9df3b6eeff 55050a2b3f000000eeff "
            "55050a2c40000000eeff 5505092f000000eeff 55050928000000eeff");
        row("codes without effect",
            "55050903000000eeff 55050927000000eeff 55050929000000eeff "
            "55050945000000eeff 55050947000000eeff 55050948000000eeff 55050949000000eeff "
            "55050950000000eeff");
        row("brightness without parameter", "55050922000000eeff");
        row("language with a parameter", "55050a2100000001eeff");
        row("broken end marker", "55050921000000ee00");
        row("other report identifier", "00050921000000eeff");
        row("other header byte", "55060921000000eeff");
        row("unknown frame length", "55050b2100000000eeff");
        row("settings page, broken end", "55050946000000eefe");
        row("poll frame shifted by one", "00550522050b008ceeff");
    }

    void framesChangeOnlyWhatTheirCodeSelects() {
        QFETCH(QByteArray, frames);
        QFETCH(int, offset);
        QFETCH(QByteArray, change);
        const int id = sim::plug(sim::Identity(), measuredState());
        Handle handle = openMeter();
        const QList<QByteArray> list = frames.split(' ');
        for (const QByteArray& frame : list)
            QCOMPARE(write(handle.get(), report(frame)), 64);
        QCOMPARE(drain(handle.get()), QByteArray());
        QCOMPARE(sim::writtenReports(id).size(), size_t(list.size()));
        QByteArray expected = factorySettings;
        QCOMPARE(settingsNow(handle.get()), expected.replace(offset, change.size(), change));
        QCOMPARE(bytes(sim::measurementReport(sim::state(id))), measuredReport);
    }
};

QTEST_GUILESS_MAIN(SimHidTest)
#include "test_sim_hid.moc"
