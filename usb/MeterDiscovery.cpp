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

} // namespace

std::optional<std::string> findLastMeterPath(unsigned short vendorId, unsigned short productId) {
    const auto held = HidLibrary::lock();
    hid_device_info* devices = hid_enumerate(vendorId, productId);
    std::optional<std::string> path;
    for (hid_device_info* d = devices; d; d = d->next) {
        if (d->vendor_id == vendorId && d->product_id == productId && d->path)
            path = std::string(d->path);
    }
    hid_free_enumeration(devices);
    return path;
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
