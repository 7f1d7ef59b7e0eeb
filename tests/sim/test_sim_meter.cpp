// The meter behind the simulated device: its answers to polls and to the settings page,
// and how command frames change what it reports.

#include "SimTestSupport.h"

#include <QtTest>

namespace {

const QByteArray pollFrame = QByteArray::fromHex("550522050b008ceeff");
const QByteArray settingsPageFrame = QByteArray::fromHex("55050946000000eeff");

// Settings report of a meter with factory settings.
const QByteArray factorySettingsReport =
    QByteArray::fromHex("aa05400000000000"
                        "0005021e01000000"
                        "3f8000003f8000003f8000003c23d70a"
                        "000000000000000000000000000000000000000000000000000000000000"
                        "eeff");

sim::MeterState measuredState() {
    sim::MeterState state;
    state.channels = {5.0, 1.234567, 6.172835, 0.6, 0.59, 1.68, 0.0, 36.5, 25.25};
    state.direction = 2;
    return state;
}

// Measurement report of measuredState().
const QByteArray measuredReport = QByteArray::fromHex("aa40620500000000"
                                                      "404b4c0087d61200a3305e00c0270900"
                                                      "b000090080a2190000000000"
                                                      "20f22c02d0488101"
                                                      "00000000000000000000000000000000"
                                                      "02000000");

QByteArray settingsNow(hid_device* handle) {
    if (writeFrame(handle, settingsPageFrame) != 64)
        return "write failed";
    return readReport(handle).bytes;
}

} // namespace

class SimMeterTest : public QObject {
    Q_OBJECT

private slots:
    void init() { sim::reset(); }
    void cleanupTestCase() { sim::reset(); }

    // Report builders
    void measurementReportHasExactBytesForState();
    void measurementValuesRoundToMillionthsAndSaturate();
    void settingsReportHasExactBytesForState();

    // Polls
    void pollIsAnsweredWithOneMeasurementReportOnEveryHandle();
    void pollAnswerFollowsTheCurrentState();
    void shortPollWriteIsAnsweredLikeAFullReport();
    void silentMeterRecordsPollsButSendsNothing();
    void unpluggedMeterNeitherRecordsNorAnswers();

    // Settings
    void settingsPageEnteredAnswersWithFactorySettings();
    void settingsCommandChangesTheNextSettingsReport_data();
    void settingsCommandChangesTheNextSettingsReport();
    void factoryResetRestoresSettingsAndKeepsReadings();
    void codesWithoutEffectAreRecordedOnly_data();
    void codesWithoutEffectAreRecordedOnly();
    void malformedFramesChangeNothing_data();
    void malformedFramesChangeNothing();
    void setChannelsKeepsSettingsChangedByCommands();
};

void SimMeterTest::measurementReportHasExactBytesForState() {
    QCOMPARE(toBytes(sim::measurementReport(measuredState())), measuredReport);
}

void SimMeterTest::measurementValuesRoundToMillionthsAndSaturate() {
    sim::MeterState state;
    state.channels = {-1.0, 5000.0, 0.0000016, 4294.967295, 0.0000004, 0.0, 0.0, 0.0, 0.0};
    state.direction = 0;
    const QByteArray expected = QByteArray::fromHex("aa40620500000000"
                                                    "00000000ffffffff02000000ffffffff00000000") +
                                QByteArray(36, '\0');
    QCOMPARE(toBytes(sim::measurementReport(state)), expected);
}

void SimMeterTest::settingsReportHasExactBytesForState() {
    sim::MeterState state;
    state.language = 1;
    state.workBrightness = 9;
    state.standbyBrightness = 7;
    state.standbyTime = 58;
    state.standbyStyle = 3;
    state.rotationSwitch = 1;
    state.voltCalFactor = 1.234f;
    state.currCalFactor = 0.5f;
    state.tempCalFactor = 2.0f;
    state.minCurrent = 0.02f;
    const QByteArray expected = QByteArray::fromHex("aa05400000000000"
                                                    "0109073a03010000"
                                                    "3f9df3b63f000000400000003ca3d70a") +
                                QByteArray(30, '\0') + QByteArray::fromHex("eeff");
    QCOMPARE(toBytes(sim::settingsReport(state)), expected);
    QCOMPARE(toBytes(sim::settingsReport(sim::MeterState())), factorySettingsReport);
}

void SimMeterTest::pollIsAnsweredWithOneMeasurementReportOnEveryHandle() {
    const int id = sim::plug(sim::Identity(), measuredState());
    Handle first = openMeter();
    Handle second = openMeter();

    QCOMPARE(writeFrame(first.get(), pollFrame), 64);

    for (hid_device* handle : {first.get(), second.get()}) {
        const ReadResult answer = readReport(handle);
        QCOMPARE(answer.result, 64);
        QCOMPARE(answer.bytes, measuredReport);
        QCOMPARE(readReport(handle).result, 0);
    }
    QCOMPARE(sim::writtenReports(id).size(), size_t(1));
    QCOMPARE(writtenBytes(id, 0), padded(pollFrame));
}

void SimMeterTest::pollAnswerFollowsTheCurrentState() {
    const int id = sim::plug();
    Handle handle = openMeter();
    sim::setState(id, measuredState());

    writeFrame(handle.get(), pollFrame);
    QCOMPARE(readReport(handle.get()).bytes, measuredReport);

    sim::MeterState later = measuredState();
    later.channels[0] = 9.0;
    later.direction = 1;
    sim::setState(id, later);
    writeFrame(handle.get(), pollFrame);
    const QByteArray answer = readReport(handle.get()).bytes;
    QCOMPARE(answer.mid(8, 4), QByteArray::fromHex("40548900")); // 9 000 000
    QCOMPARE(answer.at(60), char(1));
    QCOMPARE(answer.mid(12, 36), measuredReport.mid(12, 36));
}

void SimMeterTest::shortPollWriteIsAnsweredLikeAFullReport() {
    const int id = sim::plug(sim::Identity(), measuredState());
    Handle handle = openMeter();

    QCOMPARE(writeBytes(handle.get(), pollFrame), 9);
    QCOMPARE(readReport(handle.get()).bytes, measuredReport);
    QCOMPARE(writtenBytes(id, 0), padded(pollFrame));
}

void SimMeterTest::silentMeterRecordsPollsButSendsNothing() {
    sim::MeterState silent = measuredState();
    silent.answersPolls = false;
    const int id = sim::plug(sim::Identity(), silent);
    Handle handle = openMeter();

    QCOMPARE(writeFrame(handle.get(), pollFrame), 64);
    QCOMPARE(writeFrame(handle.get(), pollFrame), 64);
    QCOMPARE(readReport(handle.get()).result, 0);
    QCOMPARE(sim::writtenReports(id).size(), size_t(2));

    // It still answers the settings page.
    QCOMPARE(settingsNow(handle.get()), factorySettingsReport);
}

void SimMeterTest::unpluggedMeterNeitherRecordsNorAnswers() {
    const int id = sim::plug(sim::Identity(), measuredState());
    Handle old = openMeter();
    sim::unplug(id);
    QCOMPARE(writeFrame(old.get(), pollFrame), -1);
    QVERIFY(sim::writtenReports(id).empty());

    sim::replug(id);
    Handle fresh = openMeter();
    QCOMPARE(writeFrame(fresh.get(), pollFrame), 64);
    QCOMPARE(readReport(fresh.get()).bytes, measuredReport);
    QCOMPARE(sim::writtenReports(id).size(), size_t(1));
}

void SimMeterTest::settingsPageEnteredAnswersWithFactorySettings() {
    sim::plug();
    Handle first = openMeter();
    Handle second = openMeter();
    QCOMPARE(writeFrame(first.get(), settingsPageFrame), 64);
    QCOMPARE(readReport(first.get()).bytes, factorySettingsReport);
    QCOMPARE(readReport(second.get()).bytes, factorySettingsReport);
    QCOMPARE(readReport(first.get()).result, 0);
}

void SimMeterTest::settingsCommandChangesTheNextSettingsReport_data() {
    QTest::addColumn<QByteArrayList>("frames");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes");

    const auto hex = [](const char* text) { return QByteArray::fromHex(text); };
    QTest::newRow("english") << QByteArrayList{hex("55050921000000eeff")} << 8 << hex("01");
    QTest::newRow("chinese after english")
        << QByteArrayList{hex("55050921000000eeff"), hex("55050920000000eeff")} << 8 << hex("00");
    QTest::newRow("work brightness 9")
        << QByteArrayList{hex("55050a2200000009eeff")} << 9 << hex("09");
    QTest::newRow("standby brightness 7")
        << QByteArrayList{hex("55050a2300000007eeff")} << 10 << hex("07");
    QTest::newRow("standby time 60 then 58")
        << QByteArrayList{hex("55050a240000003ceeff"), hex("55050a240000003aeeff")} << 11
        << hex("3a");
    QTest::newRow("style 2") << QByteArrayList{hex("55050926000000eeff")} << 12 << hex("02");
    QTest::newRow("style 3") << QByteArrayList{hex("55050930000000eeff")} << 12 << hex("03");
    QTest::newRow("style 1 after style 3")
        << QByteArrayList{hex("55050930000000eeff"), hex("55050925000000eeff")} << 12 << hex("01");
    QTest::newRow("rotation on") << QByteArrayList{hex("55050931000000eeff")} << 13 << hex("01");
    QTest::newRow("rotation off after on")
        << QByteArrayList{hex("55050931000000eeff"), hex("55050932000000eeff")} << 13 << hex("00");
    QTest::newRow("voltage factor 1.234")
        << QByteArrayList{hex("55050a2a3f9df3b6eeff")} << 16 << hex("3f9df3b6");
    QTest::newRow("current factor 0.5")
        << QByteArrayList{hex("55050a2b3f000000eeff")} << 20 << hex("3f000000");
    QTest::newRow("temperature factor 2.0")
        << QByteArrayList{hex("55050a2c40000000eeff")} << 24 << hex("40000000");
    QTest::newRow("min current 0 A")
        << QByteArrayList{hex("5505092d000000eeff")} << 28 << hex("00000000");
    QTest::newRow("min current 20 mA")
        << QByteArrayList{hex("5505092f000000eeff")} << 28 << hex("3ca3d70a");
    QTest::newRow("min current 10 mA after 0 A")
        << QByteArrayList{hex("5505092d000000eeff"), hex("5505092e000000eeff")} << 28
        << hex("3c23d70a");
}

void SimMeterTest::settingsCommandChangesTheNextSettingsReport() {
    QFETCH(QByteArrayList, frames);
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);

    const int id = sim::plug(sim::Identity(), measuredState());
    Handle handle = openMeter();
    for (const QByteArray& frame : frames)
        QCOMPARE(writeFrame(handle.get(), frame), 64);
    QCOMPARE(readReport(handle.get()).result, 0); // settings are changed without an answer

    QByteArray expected = factorySettingsReport;
    expected.replace(offset, bytes.size(), bytes);
    QCOMPARE(settingsNow(handle.get()), expected);
    QCOMPARE(sim::writtenReports(id).size(), size_t(frames.size() + 1));
    QCOMPARE(toBytes(sim::measurementReport(sim::state(id))), measuredReport);
}

void SimMeterTest::factoryResetRestoresSettingsAndKeepsReadings() {
    const int id = sim::plug(sim::Identity(), measuredState());
    Handle handle = openMeter();
    for (const char* frame : {"55050921000000eeff", "55050a2200000009eeff", "55050a2300000007eeff",
                              "55050a240000003aeeff", "55050930000000eeff", "55050931000000eeff",
                              "55050a2a3f9df3b6eeff", "55050a2b3f000000eeff",
                              "55050a2c40000000eeff", "5505092f000000eeff"})
        writeFrame(handle.get(), QByteArray::fromHex(frame));
    QVERIFY(settingsNow(handle.get()) != factorySettingsReport);

    QCOMPARE(writeFrame(handle.get(), QByteArray::fromHex("55050928000000eeff")), 64);
    QCOMPARE(settingsNow(handle.get()), factorySettingsReport);
    QCOMPARE(toBytes(sim::measurementReport(sim::state(id))), measuredReport);
}

void SimMeterTest::codesWithoutEffectAreRecordedOnly_data() {
    QTest::addColumn<int>("code");
    for (int code : {0x02, 0x03, 0x27, 0x29, 0x45, 0x47, 0x48, 0x49, 0x50})
        QTest::addRow("code %02x", code) << code;
}

void SimMeterTest::codesWithoutEffectAreRecordedOnly() {
    QFETCH(int, code);
    const int id = sim::plug(sim::Identity(), measuredState());
    Handle handle = openMeter();

    QByteArray frame = QByteArray::fromHex("55050900000000eeff");
    frame[3] = char(code);
    QCOMPARE(writeFrame(handle.get(), frame), 64);

    QCOMPARE(readReport(handle.get()).result, 0);
    QCOMPARE(sim::writtenReports(id).size(), size_t(1));
    QCOMPARE(writtenBytes(id, 0), padded(frame));
    const sim::MeterState after = sim::state(id);
    QCOMPARE(toBytes(sim::settingsReport(after)), factorySettingsReport);
    QCOMPARE(toBytes(sim::measurementReport(after)), measuredReport);
    QCOMPARE(after.answersPolls, true);
}

void SimMeterTest::malformedFramesChangeNothing_data() {
    QTest::addColumn<QByteArray>("frame");
    const auto hex = [](const char* text) { return QByteArray::fromHex(text); };
    QTest::newRow("brightness without parameter") << hex("55050922000000eeff");
    QTest::newRow("language with a parameter") << hex("55050a2100000001eeff");
    QTest::newRow("broken end marker") << hex("55050921000000ee00");
    QTest::newRow("other report identifier") << hex("00050921000000eeff");
    QTest::newRow("other header byte") << hex("55060921000000eeff");
    QTest::newRow("unknown frame length") << hex("55050b2100000000eeff");
    QTest::newRow("settings page, broken end") << hex("55050946000000eefe");
    QTest::newRow("poll frame shifted by one") << hex("00550522050b008ceeff");
}

void SimMeterTest::malformedFramesChangeNothing() {
    QFETCH(QByteArray, frame);
    const int id = sim::plug(sim::Identity(), measuredState());
    Handle handle = openMeter();

    QCOMPARE(writeFrame(handle.get(), frame), 64);
    QCOMPARE(readReport(handle.get()).result, 0);
    QCOMPARE(writtenBytes(id, 0), padded(frame));
    QCOMPARE(settingsNow(handle.get()), factorySettingsReport);
}

void SimMeterTest::setChannelsKeepsSettingsChangedByCommands() {
    const int id = sim::plug();
    Handle handle = openMeter();
    writeFrame(handle.get(), QByteArray::fromHex("55050921000000eeff"));

    const sim::MeterState measured = measuredState();
    sim::setChannels(id, measured.channels, measured.direction);

    QCOMPARE(sim::state(id).language, uint8_t(1));
    writeFrame(handle.get(), pollFrame);
    QCOMPARE(readReport(handle.get()).bytes, measuredReport);
}

QTEST_GUILESS_MAIN(SimMeterTest)
#include "test_sim_meter.moc"
