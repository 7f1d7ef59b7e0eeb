// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SampleStore.h"

#include <QByteArray>
#include <QtGlobal>

// The run journal on disk: a 32-byte header, then one 40-byte record per recorded sample,
// all little-endian. A record carries its own CRC-32, so a record torn by a power cut is
// recognised and dropped, never read as a sample.
//
// header: 0 magic "UMJOURNL" | 8 u16 version | 10 u16 record size | 12 u16 channel count
//         | 14 u16 zero | 16 i64 run start, seconds since the epoch | 24 u32 CRC-32 of
//         bytes 0..23 | 28 u32 state (open while the run lasts, stopped once Stop ended it,
//         saved once its samples were written to a file: nothing left to offer)
// record: 0 i32 seconds after the run start | 4 eight f32 channel values | 36 u32 CRC-32
//         of bytes 0..35
namespace Journal {

inline constexpr char magic[] = "UMJOURNL";
inline constexpr int magicSize = 8;
inline constexpr quint16 formatVersion = 1;

inline constexpr int versionAt = 8;
inline constexpr int recordSizeAt = 10;
inline constexpr int channelCountAt = 12;
inline constexpr int startSecsAt = 16;
inline constexpr int headerCrcAt = 24;
inline constexpr int stateAt = 28;
inline constexpr int headerSize = 32;

inline constexpr int recordSecsAt = 0;
inline constexpr int recordValuesAt = 4;
inline constexpr int recordCrcAt = recordValuesAt + 4 * recordedChannelCount;
inline constexpr int recordSize = recordCrcAt + 4;

inline constexpr quint32 stateOpen = 0x4E45504Fu;    // "OPEN"
inline constexpr quint32 stateStopped = 0x504F5453u; // "STOP"
inline constexpr quint32 stateSaved = 0x454E4F44u;   // "DONE"

QByteArray encodeHeader(qint64 startSecs, quint32 state);
// The state field alone, as written over the header's at stateAt.
QByteArray encodeState(quint32 state);
// Fills recordSize bytes at `out`.
void encodeRecord(unsigned char* out, qint32 secsAfterStart, const SampleStore::Values& values);

} // namespace Journal
