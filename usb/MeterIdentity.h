// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// USB identity of the meter family: every meter enumerates with these identifiers.
namespace MeterIdentity {
inline constexpr unsigned short vendorId = 0x0483;
inline constexpr unsigned short productId = 0x5750;
} // namespace MeterIdentity
