// SPDX-License-Identifier: GPL-3.0-or-later
// The hidapi functions the program calls, defined over the simulated bus with the
// return conventions of the real library.

#include "LibraryCalls.h"
#include "SimBus.h"

#include <hidapi.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>

namespace {

constexpr unsigned short releaseNumber = 0x0100;
constexpr unsigned short vendorUsagePage = 0xFF00;
constexpr unsigned short vendorUsage = 0x0001;
constexpr int interfaceNumber = 0;
constexpr const wchar_t* disconnectedText = L"device disconnected";

wchar_t* copyOf(const std::wstring& text) {
    auto* copy = new wchar_t[text.size() + 1];
    std::wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

char* copyOf(const std::string& text) {
    auto* copy = new char[text.size() + 1];
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

hid_device_info* infoFor(const sim::bus::Listing& listing) {
    auto* info = new hid_device_info{};
    info->path = copyOf(listing.path);
    info->vendor_id = listing.identity.vendorId;
    info->product_id = listing.identity.productId;
    info->serial_number = copyOf(listing.identity.serial);
    info->release_number = releaseNumber;
    info->manufacturer_string = copyOf(listing.identity.manufacturer);
    info->product_string = copyOf(listing.identity.product);
    info->usage_page = vendorUsagePage;
    info->usage = vendorUsage;
    info->interface_number = interfaceNumber;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

// At most maxlen - 1 characters and the terminator, like the real string getters.
int copyString(hid_device* dev, std::wstring sim::Identity::*field, wchar_t* string,
               size_t maxlen) {
    if (!dev || !string || maxlen == 0)
        return -1;
    const std::optional<sim::Identity> identity = sim::bus::identity(dev);
    if (!identity)
        return -1;
    const std::wstring& text = (*identity).*field;
    const size_t copied = std::min(text.size(), maxlen - 1);
    std::wmemcpy(string, text.c_str(), copied);
    string[copied] = L'\0';
    return 0;
}

} // namespace

int hid_init(void) {
    const sim::libcalls::Scope call;
    return 0;
}

int hid_exit(void) {
    const sim::libcalls::Scope call;
    return 0;
}

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
    const sim::libcalls::Scope call;
    hid_device_info* first = nullptr;
    hid_device_info** next = &first;
    for (const sim::bus::Listing& listing : sim::bus::list(vendor_id, product_id)) {
        *next = infoFor(listing);
        next = &(*next)->next;
    }
    return first;
}

void hid_free_enumeration(hid_device_info* devs) {
    while (devs) {
        hid_device_info* next = devs->next;
        delete[] devs->path;
        delete[] devs->serial_number;
        delete[] devs->manufacturer_string;
        delete[] devs->product_string;
        delete devs;
        devs = next;
    }
}

hid_device* hid_open(unsigned short vendor_id, unsigned short product_id,
                     const wchar_t* serial_number) {
    const sim::libcalls::Scope call;
    return sim::bus::open(vendor_id, product_id, serial_number);
}

hid_device* hid_open_path(const char* path) {
    const sim::libcalls::Scope call;
    return path ? sim::bus::openPath(path) : nullptr;
}

void hid_close(hid_device* dev) {
    if (dev)
        sim::bus::close(dev);
}

int hid_read(hid_device* dev, unsigned char* data, size_t length) {
    if (!dev || !data)
        return -1;
    return sim::bus::read(dev, data, length);
}

int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int milliseconds) {
    if (!dev || !data)
        return -1;
    return sim::bus::readTimeout(dev, data, length, milliseconds);
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length) {
    if (!dev || !data)
        return -1;
    sim::libcalls::delayWrite();
    return sim::bus::write(dev, data, length);
}

int hid_set_nonblocking(hid_device* dev, int nonblock) {
    if (!dev)
        return -1;
    sim::bus::setNonBlocking(dev, nonblock != 0);
    return 0;
}

int hid_get_manufacturer_string(hid_device* dev, wchar_t* string, size_t maxlen) {
    return copyString(dev, &sim::Identity::manufacturer, string, maxlen);
}

int hid_get_product_string(hid_device* dev, wchar_t* string, size_t maxlen) {
    return copyString(dev, &sim::Identity::product, string, maxlen);
}

int hid_get_serial_number_string(hid_device* dev, wchar_t* string, size_t maxlen) {
    return copyString(dev, &sim::Identity::serial, string, maxlen);
}

const wchar_t* hid_error(hid_device* dev) {
    return dev && sim::bus::isDead(dev) ? disconnectedText : nullptr;
}
