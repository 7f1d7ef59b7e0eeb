// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

struct hid_device_;
typedef struct hid_device_ hid_device;

// Every report on the wire is 64 bytes; frames are sent zero-padded to that size.
inline constexpr int reportSize = 64;

// Writes `length` bytes (at most 64) as the start of a zero-filled 64-byte output report.
// A null device or a failed write is silent: the link thread notices a lost meter.
void sendReport(hid_device* device, const unsigned char* data, int length);
void sendReport(hid_device* device, const QByteArray& frame);
