#pragma once

// Small helpers shared by the simulated-meter suites: handles that close themselves and
// reads and writes in QByteArray form, so QCOMPARE shows the bytes on failure.

#include <SimMeter.h>
#include <hidapi.h>

#include <QByteArray>

#include <memory>
#include <vector>

inline constexpr unsigned short meterVendor = 0x0483;
inline constexpr unsigned short meterProduct = 0x5750;

struct HandleCloser {
    void operator()(hid_device* handle) const { hid_close(handle); }
};
using Handle = std::unique_ptr<hid_device, HandleCloser>;

inline Handle openMeter(const wchar_t* serial = nullptr) {
    return Handle(hid_open(meterVendor, meterProduct, serial));
}

inline QByteArray toBytes(const sim::Report& report) {
    return QByteArray(reinterpret_cast<const char*>(report.data()), int(report.size()));
}

inline QByteArray hexBytes(const char* hex) {
    return QByteArray::fromHex(hex);
}

// The frame followed by zeros up to 64 bytes, as the host sends it.
inline QByteArray padded(const QByteArray& frame) {
    return frame + QByteArray(64 - frame.size(), '\0');
}

inline int writeBytes(hid_device* handle, const QByteArray& bytes) {
    return hid_write(handle, reinterpret_cast<const unsigned char*>(bytes.constData()),
                     size_t(bytes.size()));
}

// Writes the frame as a full zero-padded 64-byte report.
inline int writeFrame(hid_device* handle, const QByteArray& frame) {
    return writeBytes(handle, padded(frame));
}

struct ReadResult {
    int result;
    QByteArray bytes; // what the read copied
};

inline ReadResult readReport(hid_device* handle, int timeoutMs = 0, int length = 64) {
    std::vector<unsigned char> buffer(size_t(length), 0);
    const int result = hid_read_timeout(handle, buffer.data(), buffer.size(), timeoutMs);
    return {result, QByteArray(reinterpret_cast<const char*>(buffer.data()), qMax(result, 0))};
}

inline QByteArray writtenBytes(int id, int index) {
    return toBytes(sim::writtenReports(id).at(size_t(index)));
}
