// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <string>

struct hid_device_;
typedef struct hid_device_ hid_device;

#include <vector>

// One meter as the enumeration lists it, copied out of it.
struct MeterListing {
    std::string path;
    QString serial;
    QString product;
    QString manufacturer;
};
// Every meter listed with these identifiers, in the enumeration's order.
std::vector<MeterListing> listMeters(unsigned short vendorId, unsigned short productId);

// Path of the last meter listed with these identifiers; nothing when none is attached.
std::optional<std::string> findLastMeterPath(unsigned short vendorId, unsigned short productId);

// The three string descriptors of an open meter, each read into 64 wide characters.
struct MeterStrings {
    QString manufacturer;
    QString product;
    QString serial;
};
MeterStrings readMeterStrings(hid_device* device);
QString readProductString(hid_device* device);

// The product string is words separated by single spaces: the second word is the model,
// the third the version. Missing words are empty.
struct ProductWords {
    QString model;
    QString version;
};
ProductWords splitProductString(const QString& product);

// The part of the serial number the device card and the caption show.
inline constexpr int shownSerialLength = 6;
