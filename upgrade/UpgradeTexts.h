// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The untranslated number texts of the upgrade page.

#include <QString>

// "固件大小:1000字节"; above 1024 bytes "固件大小:2.0KB   2048字节".
QString firmwareSizeText(qint64 bytes);

// Bytes per second over a transfer of whole seconds: "1.50KB/秒" above 1024 bytes per
// second, else "800字节/秒". A transfer under one second took no measurable time, so the
// speed is at least the image size per second: "≥2.00KB/秒".
QString transferSpeedText(qint64 bytes, qint64 seconds);
