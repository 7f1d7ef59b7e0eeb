// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterDiscovery.h"

#include "HidLibrary.h"

#include <hidapi.h>

#include <QStringList>

namespace {

constexpr size_t descriptorChars = 64;

using StringGetter = int (*)(hid_device*, wchar_t*, size_t);

QString readDescriptor(hid_device* device, StringGetter getter) {
    wchar_t text[descriptorChars] = {};
    if (getter(device, text, descriptorChars) < 0)
        text[0] = L'\0';
    text[descriptorChars - 1] = L'\0';
    return QString::fromWCharArray(text);
}

QString wideText(const wchar_t* text) {
    return text ? QString::fromWCharArray(text) : QString();
}

} // namespace

std::vector<MeterListing> listMeters(unsigned short vendorId, unsigned short productId) {
    const auto held = HidLibrary::lock();
    hid_device_info* devices = hid_enumerate(vendorId, productId);
    std::vector<MeterListing> meters;
    for (hid_device_info* d = devices; d; d = d->next) {
        if (d->vendor_id == vendorId && d->product_id == productId && d->path)
            meters.push_back({d->path, wideText(d->serial_number), wideText(d->product_string),
                              wideText(d->manufacturer_string)});
    }
    hid_free_enumeration(devices);
    return meters;
}

std::optional<std::string> findLastMeterPath(unsigned short vendorId, unsigned short productId) {
    const std::vector<MeterListing> meters = listMeters(vendorId, productId);
    if (meters.empty())
        return std::nullopt;
    return meters.back().path;
}

MeterStrings readMeterStrings(hid_device* device) {
    return {readDescriptor(device, hid_get_manufacturer_string),
            readDescriptor(device, hid_get_product_string),
            readDescriptor(device, hid_get_serial_number_string)};
}

QString readProductString(hid_device* device) {
    return readDescriptor(device, hid_get_product_string);
}

ProductWords splitProductString(const QString& product) {
    const QStringList parts = product.split(QStringLiteral(" "), Qt::KeepEmptyParts);
    return {parts.value(1), parts.value(2)};
}
