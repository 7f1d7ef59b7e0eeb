// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandFrame.h"

#include <array>
#include <cstring>

namespace {

// Bytes 4..6 of a frame without parameter.
constexpr quint8 unusedByte = 0x00;

// The meter's measurement request, sent verbatim between the frame start and end.
constexpr std::array<quint8, 5> pollRequest{0x22, 0x05, 0x0B, 0x00, 0x8C};

constexpr float calibrationScale = 1000.0f; // slider positions are thousandths

template <std::size_t N> QByteArray framed(const std::array<quint8, N>& body) {
    QByteArray frame;
    frame.append(char(Frame::reportId));
    frame.append(char(Frame::header));
    for (const quint8 byte : body)
        frame.append(char(byte));
    frame.append(char(Frame::endFirst));
    frame.append(char(Frame::endSecond));
    return frame;
}

} // namespace

QByteArray commandFrame(quint8 code) {
    return framed(
        std::array<quint8, 5>{Frame::shortLength, code, unusedByte, unusedByte, unusedByte});
}

QByteArray commandFrame(quint8 code, quint32 parameter) {
    return framed(std::array<quint8, 6>{Frame::longLength, code, quint8(parameter >> 24),
                                        quint8(parameter >> 16), quint8(parameter >> 8),
                                        quint8(parameter)});
}

float calibrationFactor(int sliderValue) {
    return float(sliderValue) / calibrationScale;
}

QByteArray calibrationFrame(quint8 code, int sliderValue) {
    const float factor = calibrationFactor(sliderValue);
    quint32 bits;
    std::memcpy(&bits, &factor, sizeof bits);
    return commandFrame(code, bits);
}

QByteArray pollFrame() {
    return framed(pollRequest);
}
