// SPDX-License-Identifier: GPL-3.0-or-later
// The registry of simulated devices and open handles. One mutex guards all of it, so
// every function here is safe to call from any thread.

#include "SimBus.h"
#include "LibraryCalls.h"

#include "HidHandle.h"
#include "MeterWire.h"
#include "SimDevice.h"
#include "SimTimer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace sim {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<int, std::shared_ptr<Device>> devices; // ids grow, so this is plug order
    int nextId = 1;
    int closedHandleUses = 0;
    std::vector<std::unique_ptr<hid_device_>> closedHandles;
    std::vector<std::chrono::steady_clock::time_point> enumerations;
};

constexpr char pathPrefix[] = "sim-meter-";

Registry& registry() {
    static Registry instance;
    return instance;
}

std::unique_lock<std::mutex> lockRegistry() {
    return std::unique_lock<std::mutex>(registry().mutex);
}

// Caller holds the lock.
Device* find(int id) {
    const auto& devices = registry().devices;
    const auto it = devices.find(id);
    return it == devices.end() ? nullptr : it->second.get();
}

bool matches(const Identity& identity, unsigned short vendorId, unsigned short productId) {
    return (vendorId == 0 || vendorId == identity.vendorId) &&
           (productId == 0 || productId == identity.productId);
}

void broadcast(Device& device, const std::vector<unsigned char>& report) {
    for (hid_device* handle : device.handles)
        handle->deliver(report);
}

void killHandles(Device& device) {
    for (hid_device* handle : device.handles)
        handle->kill();
}

// Caller holds the lock. Null when the device already has all the handles it allows.
hid_device* attach(const std::shared_ptr<Device>& device) {
    if (device->refusesOpens) {
        errno = EACCES; // listed, but its node refuses us, as hidraw does without access
        return nullptr;
    }
    if (device->maxHandles >= 0 && int(device->handles.size()) >= device->maxHandles)
        return nullptr;
    auto* handle = new hid_device_(device);
    device->handles.push_back(handle);
    return handle;
}

// Caller holds the lock. A closed handle is counted and refused.
bool refuseClosed(const hid_device* handle) {
    if (!handle->closed)
        return false;
    ++registry().closedHandleUses;
    return true;
}

// Power lost: open handles die, an upgrade in progress ends.
void pullOut(Device& device) {
    device.plugged = false;
    device.model.bootLoader().reset();
    killHandles(device);
}

void act(const std::shared_ptr<Device>& device, const Answer& answer);

// The writing phase of an upgrade ends on the meter's clock, unless the device is gone.
void finishWritingLater(const std::shared_ptr<Device>& device, int delayMs) {
    timer::runLater(delayMs, [weak = std::weak_ptr<Device>(device)] {
        const auto lock = lockRegistry();
        const std::shared_ptr<Device> alive = weak.lock();
        if (alive && alive->plugged)
            act(alive, alive->model.bootLoader().finishWriting());
    });
}

// Caller holds the lock.
void act(const std::shared_ptr<Device>& device, const Answer& answer) {
    for (const Report& reply : answer.reports)
        broadcast(*device, std::vector<unsigned char>(reply.begin(), reply.end()));
    if (answer.finishAfterMs >= 0)
        finishWritingLater(device, answer.finishAfterMs);
    if (answer.unplug)
        pullOut(*device);
}

// Caller holds the lock. Notes a successful read when the device keeps them.
int noteRead(hid_device* handle, const unsigned char* data, int n) {
    Device& device = *handle->device;
    if (n > 0 && device.keepsReportsRead) {
        Report report{};
        std::copy_n(data, std::min<std::size_t>(std::size_t(n), report.size()), report.begin());
        device.reportsRead.push_back(report);
    }
    return n;
}

} // namespace

Identity rackIdentity(int index) {
    Identity identity;
    std::wstring serial = std::to_wstring(std::stoull(identity.serial) + unsigned(index));
    if (serial.size() < identity.serial.size())
        serial.insert(0, identity.serial.size() - serial.size(), L'0');
    identity.serial = serial;
    return identity;
}

int plug(const Identity& identity, const MeterState& state) {
    const auto lock = lockRegistry();
    const int id = registry().nextId++;
    registry().devices.emplace(id, std::make_shared<Device>(identity, state));
    return id;
}

void unplug(int id) {
    const auto lock = lockRegistry();
    if (Device* device = find(id))
        pullOut(*device);
}

void replug(int id) {
    const auto lock = lockRegistry();
    if (Device* device = find(id))
        device->plugged = true;
}

bool isPlugged(int id) {
    const auto lock = lockRegistry();
    const Device* device = find(id);
    return device && device->plugged;
}

void setOpenRefused(int id, bool refused) {
    const auto lock = lockRegistry();
    if (Device* device = find(id))
        device->refusesOpens = refused;
}

void holdClock(bool held) {
    timer::hold(held);
}

void reset() {
    timer::hold(false);
    const auto lock = lockRegistry();
    for (auto& entry : registry().devices)
        killHandles(*entry.second);
    registry().devices.clear();
    registry().closedHandleUses = 0;
    registry().closedHandles.clear();
    registry().enumerations.clear();
    libcalls::reset();
}

void sendInput(int id, const Report& report) {
    sendRawInput(id, std::vector<unsigned char>(report.begin(), report.end()));
}

void sendRawInput(int id, const std::vector<unsigned char>& bytes) {
    const std::size_t size = std::min(bytes.size(), wire::reportSize);
    const auto lock = lockRegistry();
    if (Device* device = find(id))
        broadcast(*device, std::vector<unsigned char>(bytes.begin(), bytes.begin() + size));
}

std::vector<Report> writtenReports(int id) {
    const auto lock = lockRegistry();
    const Device* device = find(id);
    return device ? device->written : std::vector<Report>();
}

void clearWrittenReports(int id) {
    const auto lock = lockRegistry();
    if (Device* device = find(id))
        device->written.clear();
}

void keepReportsRead(int id, bool keep) {
    const auto lock = lockRegistry();
    if (Device* device = find(id))
        device->keepsReportsRead = keep;
}

std::vector<Report> reportsRead(int id) {
    const auto lock = lockRegistry();
    const Device* device = find(id);
    return device ? device->reportsRead : std::vector<Report>();
}

void setUpgradeScript(int id, const UpgradeScript& script) {
    const auto lock = lockRegistry();
    if (Device* device = find(id))
        device->model.bootLoader().setScript(script);
}

std::vector<unsigned char> receivedImage(int id) {
    const auto lock = lockRegistry();
    const Device* device = find(id);
    return device ? device->model.bootLoader().image() : std::vector<unsigned char>();
}

bool inUpgradeMode(int id) {
    const auto lock = lockRegistry();
    const Device* device = find(id);
    return device && device->model.bootLoader().active();
}

MeterState state(int id) {
    const auto lock = lockRegistry();
    const Device* device = find(id);
    return device ? device->model.state() : MeterState();
}

void setState(int id, const MeterState& state) {
    const auto lock = lockRegistry();
    if (Device* device = find(id))
        device->model.state() = state;
}

void setChannels(int id, const std::array<double, 9>& channels, uint8_t direction) {
    const auto lock = lockRegistry();
    if (Device* device = find(id)) {
        device->model.state().channels = channels;
        device->model.state().direction = direction;
    }
}

int openHandleCount(int id) {
    const auto lock = lockRegistry();
    const Device* device = find(id);
    return device ? static_cast<int>(device->handles.size()) : 0;
}

int totalOpenHandles() {
    const auto lock = lockRegistry();
    std::size_t total = 0;
    for (const auto& entry : registry().devices)
        total += entry.second->handles.size();
    return static_cast<int>(total);
}

void setMaxOpenHandles(int id, int count) {
    const auto lock = lockRegistry();
    if (Device* device = find(id))
        device->maxHandles = count;
}

int deadHandleWrites(int id) {
    const auto lock = lockRegistry();
    const Device* device = find(id);
    return device ? device->deadHandleWrites : 0;
}

int closedHandleUses() {
    const auto lock = lockRegistry();
    return registry().closedHandleUses;
}

std::vector<std::chrono::steady_clock::time_point> enumerationTimes() {
    const auto lock = lockRegistry();
    return registry().enumerations;
}

int waitingReaders() {
    const auto lock = lockRegistry();
    return hid_device_::waitingReaders;
}

namespace bus {

std::vector<Listing> list(unsigned short vendorId, unsigned short productId) {
    const auto lock = lockRegistry();
    registry().enumerations.push_back(std::chrono::steady_clock::now());
    std::vector<Listing> listing;
    for (const auto& [id, device] : registry().devices) {
        if (device->plugged && matches(device->identity, vendorId, productId))
            listing.push_back({device->identity, pathPrefix + std::to_string(id)});
    }
    return listing;
}

hid_device* open(unsigned short vendorId, unsigned short productId, const wchar_t* serial) {
    const auto lock = lockRegistry();
    for (const auto& entry : registry().devices) {
        const std::shared_ptr<Device>& device = entry.second;
        if (!device->plugged || !matches(device->identity, vendorId, productId))
            continue;
        if (serial && device->identity.serial != serial)
            continue;
        return attach(device);
    }
    return nullptr;
}

hid_device* openPath(const char* path) {
    const auto lock = lockRegistry();
    constexpr std::size_t prefixLength = sizeof pathPrefix - 1;
    if (std::strncmp(path, pathPrefix, prefixLength) != 0)
        return nullptr;
    const auto it = registry().devices.find(std::atoi(path + prefixLength));
    if (it == registry().devices.end() || !it->second->plugged)
        return nullptr;
    return attach(it->second);
}

void close(hid_device* handle) {
    const auto lock = lockRegistry();
    if (refuseClosed(handle))
        return;
    auto& handles = handle->device->handles;
    handles.erase(std::remove(handles.begin(), handles.end(), handle), handles.end());
    handle->closed = true;
    registry().closedHandles.emplace_back(handle);
}

int read(hid_device* handle, unsigned char* data, std::size_t length) {
    auto lock = lockRegistry();
    if (refuseClosed(handle))
        return -1;
    constexpr int noLimit = -1;
    return noteRead(handle, data,
                    handle->read(lock, data, length, handle->nonBlocking ? 0 : noLimit));
}

int readTimeout(hid_device* handle, unsigned char* data, std::size_t length, int timeoutMs) {
    auto lock = lockRegistry();
    if (refuseClosed(handle))
        return -1;
    return noteRead(handle, data, handle->read(lock, data, length, timeoutMs));
}

int write(hid_device* handle, const unsigned char* data, std::size_t length) {
    // The meter's output report is 64 bytes: a shorter write is refused rather than padded,
    // so that a host that cuts its reports short is caught here, not at a real meter.
    if (length != wire::reportSize)
        return -1;
    const auto lock = lockRegistry();
    if (refuseClosed(handle))
        return -1;
    if (handle->dead) {
        ++handle->device->deadHandleWrites;
        return -1;
    }
    Report report{};
    std::copy_n(data, wire::reportSize, report.begin());
    const std::shared_ptr<Device> device = handle->device;
    device->written.push_back(report);
    const Answer answer = device->model.handleOutput(report);
    if (answer.refuseWrite)
        return -1;
    act(device, answer);
    return static_cast<int>(length);
}

void setNonBlocking(hid_device* handle, bool nonBlocking) {
    const auto lock = lockRegistry();
    handle->nonBlocking = nonBlocking;
}

std::optional<Identity> identity(hid_device* handle) {
    const auto lock = lockRegistry();
    if (handle->dead)
        return std::nullopt;
    return handle->device->identity;
}

bool isDead(hid_device* handle) {
    const auto lock = lockRegistry();
    return handle->dead;
}

} // namespace bus
} // namespace sim
