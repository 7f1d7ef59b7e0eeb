#include "HidLibrary.h"

#include <hidapi.h>

namespace HidLibrary {

std::unique_lock<std::mutex> lock() {
    static std::mutex libraryMutex;
    return std::unique_lock<std::mutex>(libraryMutex);
}

void init() {
    const auto held = lock();
    hid_init();
}

void exit() {
    const auto held = lock();
    hid_exit();
}

hid_device* open(unsigned short vendorId, unsigned short productId, const wchar_t* serial) {
    const auto held = lock();
    return hid_open(vendorId, productId, serial);
}

} // namespace HidLibrary
