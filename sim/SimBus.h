// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The hidapi side of the simulated bus: what hid_* calls do with the plugged devices.
// Handles and buffers passed here are not null; the hidapi functions check that.

#include "SimMeter.h"

#include <hidapi.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sim::bus {

struct Listing {
    Identity identity;
    std::string path;
};

// Plugged devices in plug order; 0 matches any vendor or product. Recorded as one
// enumeration.
std::vector<Listing> list(unsigned short vendorId, unsigned short productId);
// The first match in plug order, or the one with `serial` when it is not null.
hid_device* open(unsigned short vendorId, unsigned short productId, const wchar_t* serial);
// The device listed under `path`.
hid_device* openPath(const char* path);
void close(hid_device* handle);
// Blocks unless the handle is non-blocking.
int read(hid_device* handle, unsigned char* data, std::size_t length);
int readTimeout(hid_device* handle, unsigned char* data, std::size_t length, int timeoutMs);
int write(hid_device* handle, const unsigned char* data, std::size_t length);
void setNonBlocking(hid_device* handle, bool nonBlocking);
// Empty once the device is gone.
std::optional<Identity> identity(hid_device* handle);
bool isDead(hid_device* handle);

} // namespace sim::bus
