// The libusb-1.0 C API over the virtual bus. Opaque libusb types are defined here; every pointer
// a caller hands back is checked against the live objects before use.

#include "virtualpedal/virtualbus.h"

#include <libusb-1.0/libusb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using virtualpedal::PedalModel;
using virtualpedal::VirtualBus;
using Clock = VirtualBus::Clock;

struct libusb_context {
    int unused = 0;
};

struct libusb_device {
    int index = 0;
    int generation = 0;
    int refs = 0;
    std::uint8_t address = 0;
};

struct libusb_device_handle {
    libusb_device* device = nullptr;
    std::set<int> claimed;
    // Lock file held while this handle claims the pedal's interface; -1 when none.
    int claimLock = -1;
};

namespace {

struct ConfigBlock {
    libusb_config_descriptor config{};
    std::vector<libusb_interface> interfaces;
    std::vector<libusb_interface_descriptor> settings;
    libusb_endpoint_descriptor endpoints[4]{};
};

// Adapter objects of the current bus, all guarded by VirtualBus::mutex().
struct Registry {
    std::vector<std::unique_ptr<libusb_device>> devices;
    std::set<libusb_device_handle*> handles;
    std::map<const libusb_config_descriptor*, std::unique_ptr<ConfigBlock>> configs;
    std::set<libusb_context*> contexts;
    std::uint8_t nextAddress = 2;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

using Lock = std::unique_lock<std::mutex>;

bool knownDevice(const libusb_device* device) {
    for (const auto& known : registry().devices)
        if (known.get() == device)
            return true;
    return false;
}

bool knownHandle(libusb_device_handle* handle) {
    return handle && registry().handles.count(handle) > 0;
}

// The bus device behind an adapter device, null when the bus is gone.
VirtualBus::Device* busDevice(const libusb_device* device) {
    VirtualBus* bus = VirtualBus::current();
    if (!bus || !knownDevice(device))
        return nullptr;
    return &bus->devices()[device->index];
}

// The bus device behind a handle if it is still the same device on the bus.
VirtualBus::Device* liveDevice(libusb_device_handle* handle) {
    if (!knownHandle(handle))
        return nullptr;
    VirtualBus::Device* device = busDevice(handle->device);
    if (!device)
        return nullptr;
    if (device->model)
        device->model->advance(Clock::now());
    if (!device->present() || device->generation() != handle->device->generation)
        return nullptr;
    return device;
}

libusb_device* deviceObject(int index, int generation) {
    for (const auto& known : registry().devices)
        if (known->index == index && known->generation == generation)
            return known.get();
    auto device = std::make_unique<libusb_device>();
    device->index = index;
    device->generation = generation;
    device->address = registry().nextAddress++;
    registry().devices.push_back(std::move(device));
    return registry().devices.back().get();
}

void fillEndpoint(libusb_endpoint_descriptor& endpoint, std::uint8_t address,
                  std::uint8_t attributes, std::uint16_t size) {
    endpoint.bLength = LIBUSB_DT_ENDPOINT_SIZE;
    endpoint.bDescriptorType = LIBUSB_DT_ENDPOINT;
    endpoint.bEndpointAddress = address;
    endpoint.bmAttributes = attributes;
    endpoint.wMaxPacketSize = size;
    endpoint.bInterval = attributes == LIBUSB_TRANSFER_TYPE_INTERRUPT ? 1 : 0;
}

libusb_config_descriptor* makeConfig(const VirtualBus::Device& device) {
    auto block = std::make_unique<ConfigBlock>();
    const int count = device.interfaceCount;
    block->interfaces.resize(count);
    block->settings.resize(count);
    fillEndpoint(block->endpoints[0], 0x81, LIBUSB_TRANSFER_TYPE_INTERRUPT, 64);
    fillEndpoint(block->endpoints[1], 0x01, LIBUSB_TRANSFER_TYPE_INTERRUPT, 64);
    fillEndpoint(block->endpoints[2], 0x82, LIBUSB_TRANSFER_TYPE_BULK, 512);
    fillEndpoint(block->endpoints[3], 0x02, LIBUSB_TRANSFER_TYPE_BULK, 512);
    for (int k = 0; k < count; ++k) {
        libusb_interface_descriptor& setting = block->settings[k];
        setting.bLength = LIBUSB_DT_INTERFACE_SIZE;
        setting.bDescriptorType = LIBUSB_DT_INTERFACE;
        setting.bInterfaceNumber = static_cast<std::uint8_t>(k);
        setting.bInterfaceClass = LIBUSB_CLASS_VENDOR_SPEC;
        if (k == device.controlInterface()) {
            setting.bNumEndpoints = 4;
            setting.endpoint = block->endpoints;
        }
        block->interfaces[k].altsetting = &setting;
        block->interfaces[k].num_altsetting = 1;
    }
    libusb_config_descriptor& config = block->config;
    config.bLength = LIBUSB_DT_CONFIG_SIZE;
    config.bDescriptorType = LIBUSB_DT_CONFIG;
    config.wTotalLength = static_cast<std::uint16_t>(
        LIBUSB_DT_CONFIG_SIZE + count * LIBUSB_DT_INTERFACE_SIZE +
        (device.controlInterface() >= 0 ? 4 * LIBUSB_DT_ENDPOINT_SIZE : 0));
    config.bNumInterfaces = static_cast<std::uint8_t>(count);
    config.bConfigurationValue = 1;
    config.bmAttributes = 0x80;
    config.MaxPower = 50;
    config.interface = block->interfaces.data();
    libusb_config_descriptor* result = &block->config;
    registry().configs[result] = std::move(block);
    return result;
}

void releaseAll() {
    Registry& r = registry();
    for (libusb_device_handle* handle : r.handles)
        delete handle;
    r.handles.clear();
    r.devices.clear();
    r.configs.clear();
}

// The endpoint's transfer type on this device, or -1 when it has no such endpoint.
int endpointType(const VirtualBus::Device& device, unsigned char endpoint) {
    if (!device.model)
        return -1;
    switch (endpoint) {
    case 0x81:
    case 0x01:
        return LIBUSB_TRANSFER_TYPE_INTERRUPT;
    case 0x82:
    case 0x02:
        return LIBUSB_TRANSFER_TYPE_BULK;
    default:
        return -1;
    }
}

// Waits for the full-speed timing slot of the next packet (the lock is released meanwhile).
void waitForOutSlot(Lock& lock, VirtualBus::Device& device, int packets) {
    if (!VirtualBus::current()->config().timing)
        return;
    const Clock::time_point now = Clock::now();
    const Clock::time_point slot = std::max(now, device.nextOut);
    device.nextOut = slot + std::chrono::milliseconds(packets);
    if (slot > now) {
        lock.unlock();
        std::this_thread::sleep_until(slot);
        lock.lock();
    }
}

int writeOut(Lock& lock, libusb_device_handle* handle, PedalModel::Pipe pipe,
             const unsigned char* data, int length, int* transferred) {
    int sent = 0;
    const int packetSize = pipe == PedalModel::Pipe::Interrupt ? 64 : 512;
    do {
        VirtualBus::Device* device = liveDevice(handle);
        if (!device) {
            *transferred = sent;
            return LIBUSB_ERROR_NO_DEVICE;
        }
        const int size = std::min(packetSize, length - sent);
        waitForOutSlot(lock, *device, pipe == PedalModel::Pipe::Interrupt ? 1 : 8);
        device = liveDevice(handle);
        if (!device) {
            *transferred = sent;
            return LIBUSB_ERROR_NO_DEVICE;
        }
        if (device->model->refuses(pipe, data + sent, static_cast<std::size_t>(size))) {
            *transferred = sent;
            return LIBUSB_ERROR_PIPE;
        }
        device->model->receive(pipe, data + sent, static_cast<std::size_t>(size), Clock::now());
        sent += size;
        VirtualBus::wakeup().notify_all();
    } while (sent < length);
    *transferred = sent;
    return LIBUSB_SUCCESS;
}

int readIn(Lock& lock, libusb_device_handle* handle, PedalModel::Pipe pipe, unsigned char* data,
           int length, int* transferred, unsigned int timeout) {
    const std::size_t packetSize = pipe == PedalModel::Pipe::Interrupt
                                       ? PedalModel::interruptPacketSize
                                       : PedalModel::bulkPacketSize;
    const Clock::time_point deadline =
        timeout ? Clock::now() + std::chrono::milliseconds(timeout) : Clock::time_point::max();
    std::size_t got = 0;
    std::vector<std::uint8_t> packet;
    for (;;) {
        VirtualBus::Device* device = liveDevice(handle);
        if (!device) {
            *transferred = static_cast<int>(got);
            return LIBUSB_ERROR_NO_DEVICE;
        }
        const Clock::time_point now = Clock::now();
        const bool timing = VirtualBus::current()->config().timing;
        const bool slotFree = !timing || now >= device->nextIn;
        if (slotFree && device->model->takePacket(pipe, now, packet)) {
            const std::size_t room = static_cast<std::size_t>(length) - got;
            std::memcpy(data + got, packet.data(), std::min(room, packet.size()));
            if (timing)
                device->nextIn = now + std::chrono::milliseconds(packet.size() / 64);
            VirtualBus::wakeup().notify_all();
            if (packet.size() > room) {
                *transferred = static_cast<int>(length);
                return LIBUSB_ERROR_OVERFLOW;
            }
            got += packet.size();
            if (static_cast<std::size_t>(length) - got < packetSize) {
                *transferred = static_cast<int>(got);
                return LIBUSB_SUCCESS;
            }
            continue;
        }
        if (now >= deadline) {
            *transferred = static_cast<int>(got);
            return LIBUSB_ERROR_TIMEOUT;
        }
        Clock::time_point wake = std::min(deadline, device->model->nextEvent(pipe));
        if (timing && wake <= now)
            wake = std::max(wake, device->nextIn);
        // Bounded step: a notification may be missed by a wake time far away.
        wake = std::min(wake, now + std::chrono::milliseconds(100));
        if (wake > now)
            VirtualBus::wakeup().wait_until(lock, wake);
    }
}

int transfer(libusb_device_handle* handle, unsigned char endpoint, unsigned char* data, int length,
             int* transferred, unsigned int timeout, int type) {
    int ignored = 0;
    if (!transferred)
        transferred = &ignored;
    *transferred = 0;
    if (length < 0 || (length > 0 && !data))
        return LIBUSB_ERROR_INVALID_PARAM;
    Lock lock(VirtualBus::mutex());
    if (!knownHandle(handle))
        return LIBUSB_ERROR_INVALID_PARAM;
    VirtualBus::Device* device = liveDevice(handle);
    if (!device)
        return LIBUSB_ERROR_NO_DEVICE;
    const int actual = endpointType(*device, endpoint);
    if (actual < 0)
        return LIBUSB_ERROR_NOT_FOUND;
    if (actual != type)
        return LIBUSB_ERROR_IO;
    const PedalModel::Pipe pipe = type == LIBUSB_TRANSFER_TYPE_INTERRUPT
                                      ? PedalModel::Pipe::Interrupt
                                      : PedalModel::Pipe::Bulk;
    if (endpoint & LIBUSB_ENDPOINT_IN)
        return readIn(lock, handle, pipe, data, length, transferred, timeout);
    return writeOut(lock, handle, pipe, data, length, transferred);
}

} // namespace

int libusb_init(libusb_context** context) {
    if (virtualpedal::PedalConfig::initFails())
        return LIBUSB_ERROR_OTHER;
    Lock lock(VirtualBus::mutex());
    VirtualBus::acquire();
    if (context) {
        *context = new libusb_context;
        registry().contexts.insert(*context);
    }
    return LIBUSB_SUCCESS;
}

void libusb_exit(libusb_context* context) {
    Lock lock(VirtualBus::mutex());
    if (context) {
        if (!registry().contexts.erase(context))
            return;
        delete context;
    }
    if (VirtualBus::release())
        releaseAll();
}

int libusb_set_option(libusb_context*, enum libusb_option, ...) {
    return LIBUSB_SUCCESS;
}

ssize_t libusb_get_device_list(libusb_context*, libusb_device*** list) {
    if (!list)
        return LIBUSB_ERROR_INVALID_PARAM;
    Lock lock(VirtualBus::mutex());
    VirtualBus* bus = VirtualBus::current();
    if (!bus)
        return LIBUSB_ERROR_OTHER;
    bus->enumerate(Clock::now());
    std::vector<libusb_device*> found;
    for (std::size_t k = 0; k < bus->devices().size(); ++k) {
        const VirtualBus::Device& device = bus->devices()[k];
        if (device.present())
            found.push_back(deviceObject(static_cast<int>(k), device.generation()));
    }
    auto** out = static_cast<libusb_device**>(std::calloc(found.size() + 1, sizeof(void*)));
    if (!out)
        return LIBUSB_ERROR_NO_MEM;
    for (std::size_t k = 0; k < found.size(); ++k) {
        ++found[k]->refs;
        out[k] = found[k];
    }
    *list = out;
    return static_cast<ssize_t>(found.size());
}

void libusb_free_device_list(libusb_device** list, int unrefDevices) {
    if (!list)
        return;
    if (unrefDevices) {
        Lock lock(VirtualBus::mutex());
        for (libusb_device** it = list; *it; ++it)
            if (knownDevice(*it) && (*it)->refs > 0)
                --(*it)->refs;
    }
    std::free(list);
}

libusb_device* libusb_ref_device(libusb_device* device) {
    Lock lock(VirtualBus::mutex());
    if (knownDevice(device))
        ++device->refs;
    return device;
}

void libusb_unref_device(libusb_device* device) {
    Lock lock(VirtualBus::mutex());
    if (knownDevice(device) && device->refs > 0)
        --device->refs;
}

int libusb_get_device_descriptor(libusb_device* device, struct libusb_device_descriptor* desc) {
    if (!desc)
        return LIBUSB_ERROR_INVALID_PARAM;
    Lock lock(VirtualBus::mutex());
    const VirtualBus::Device* bus = busDevice(device);
    if (!bus)
        return LIBUSB_ERROR_NO_DEVICE;
    *desc = libusb_device_descriptor{};
    desc->bLength = LIBUSB_DT_DEVICE_SIZE;
    desc->bDescriptorType = LIBUSB_DT_DEVICE;
    desc->bcdUSB = 0x0200;
    desc->bMaxPacketSize0 = 64;
    desc->idVendor = bus->vendorId;
    desc->idProduct = bus->productId;
    desc->bcdDevice = bus->bcdDevice;
    desc->iManufacturer = 1;
    desc->iProduct = 2;
    desc->bNumConfigurations = 1;
    return LIBUSB_SUCCESS;
}

int libusb_get_config_descriptor(libusb_device* device, uint8_t index,
                                 struct libusb_config_descriptor** config) {
    if (!config)
        return LIBUSB_ERROR_INVALID_PARAM;
    Lock lock(VirtualBus::mutex());
    const VirtualBus::Device* bus = busDevice(device);
    if (!bus)
        return LIBUSB_ERROR_NO_DEVICE;
    if (index != 0)
        return LIBUSB_ERROR_NOT_FOUND;
    *config = makeConfig(*bus);
    return LIBUSB_SUCCESS;
}

int libusb_get_active_config_descriptor(libusb_device* device,
                                        struct libusb_config_descriptor** config) {
    return libusb_get_config_descriptor(device, 0, config);
}

void libusb_free_config_descriptor(struct libusb_config_descriptor* config) {
    if (!config)
        return;
    Lock lock(VirtualBus::mutex());
    registry().configs.erase(config);
}

uint8_t libusb_get_bus_number(libusb_device*) {
    return 1;
}

uint8_t libusb_get_device_address(libusb_device* device) {
    Lock lock(VirtualBus::mutex());
    return knownDevice(device) ? device->address : 0;
}

uint8_t libusb_get_port_number(libusb_device* device) {
    Lock lock(VirtualBus::mutex());
    return knownDevice(device) ? static_cast<uint8_t>(device->index + 1) : 0;
}

int libusb_get_device_speed(libusb_device*) {
    return LIBUSB_SPEED_FULL;
}

int libusb_get_max_packet_size(libusb_device* device, unsigned char endpoint) {
    Lock lock(VirtualBus::mutex());
    const VirtualBus::Device* bus = busDevice(device);
    if (!bus)
        return LIBUSB_ERROR_NO_DEVICE;
    const int type = endpointType(*bus, endpoint);
    if (type < 0)
        return LIBUSB_ERROR_NOT_FOUND;
    return type == LIBUSB_TRANSFER_TYPE_INTERRUPT ? 64 : 512;
}

int libusb_open(libusb_device* device, libusb_device_handle** handle) {
    if (!handle)
        return LIBUSB_ERROR_INVALID_PARAM;
    Lock lock(VirtualBus::mutex());
    VirtualBus::Device* bus = busDevice(device);
    if (!bus)
        return LIBUSB_ERROR_NO_DEVICE;
    if (bus->model)
        bus->model->advance(Clock::now());
    if (!bus->present() || bus->generation() != device->generation)
        return LIBUSB_ERROR_NO_DEVICE;
    if (VirtualBus::current()->config().openDenied &&
        bus->kind == virtualpedal::PedalConfig::Device::Kind::Pedal)
        return LIBUSB_ERROR_ACCESS;
    auto* opened = new libusb_device_handle;
    opened->device = device;
    ++device->refs;
    registry().handles.insert(opened);
    *handle = opened;
    return LIBUSB_SUCCESS;
}

namespace {

// As the kernel does for programs sharing a device: while one process claims the pedal's
// interface, a claim from another answers "busy". The pedal of a state file is shared by every
// process using that file, so the claim is a lock on a file beside it.
int claimAcrossProcesses(libusb_device_handle* handle) {
    const std::string& state = VirtualBus::current()->config().stateFile;
    if (state.empty() || handle->claimLock >= 0)
        return LIBUSB_SUCCESS;
    const int fd = ::open((state + ".claim").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return LIBUSB_SUCCESS;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return LIBUSB_ERROR_BUSY;
    }
    handle->claimLock = fd;
    return LIBUSB_SUCCESS;
}

void releaseAcrossProcesses(libusb_device_handle* handle) {
    if (handle->claimLock < 0)
        return;
    ::close(handle->claimLock);
    handle->claimLock = -1;
}

} // namespace

void libusb_close(libusb_device_handle* handle) {
    Lock lock(VirtualBus::mutex());
    if (!registry().handles.erase(handle))
        return;
    releaseAcrossProcesses(handle);
    if (handle->device->refs > 0)
        --handle->device->refs;
    delete handle;
}

libusb_device* libusb_get_device(libusb_device_handle* handle) {
    Lock lock(VirtualBus::mutex());
    return knownHandle(handle) ? handle->device : nullptr;
}

libusb_device_handle* libusb_open_device_with_vid_pid(libusb_context* context, uint16_t vendorId,
                                                      uint16_t productId) {
    libusb_device** list = nullptr;
    if (libusb_get_device_list(context, &list) < 0)
        return nullptr;
    libusb_device_handle* handle = nullptr;
    for (libusb_device** it = list; *it && !handle; ++it) {
        libusb_device_descriptor desc;
        if (libusb_get_device_descriptor(*it, &desc) == 0 && desc.idVendor == vendorId &&
            desc.idProduct == productId && libusb_open(*it, &handle) != 0)
            handle = nullptr;
    }
    libusb_free_device_list(list, 1);
    return handle;
}

int libusb_get_configuration(libusb_device_handle* handle, int* configuration) {
    Lock lock(VirtualBus::mutex());
    if (!knownHandle(handle) || !configuration)
        return LIBUSB_ERROR_INVALID_PARAM;
    if (!liveDevice(handle))
        return LIBUSB_ERROR_NO_DEVICE;
    *configuration = 1;
    return LIBUSB_SUCCESS;
}

namespace {

// NO_DEVICE, NOT_FOUND for a missing interface, or SUCCESS.
int checkInterface(libusb_device_handle* handle, int interfaceNumber) {
    if (!knownHandle(handle))
        return LIBUSB_ERROR_INVALID_PARAM;
    const VirtualBus::Device* device = liveDevice(handle);
    if (!device)
        return LIBUSB_ERROR_NO_DEVICE;
    if (interfaceNumber < 0 || interfaceNumber >= device->interfaceCount)
        return LIBUSB_ERROR_NOT_FOUND;
    return LIBUSB_SUCCESS;
}

// Whether a kernel driver holds `interfaceNumber` of a live handle's device.
bool driverBound(libusb_device_handle* handle, int interfaceNumber) {
    const VirtualBus::Device* device = liveDevice(handle);
    return VirtualBus::current()->config().kernelDriver != 0 &&
           interfaceNumber == device->controlInterface() &&
           !device->driverDetached.count(handle->device->generation);
}

} // namespace

int libusb_set_configuration(libusb_device_handle* handle, int configuration) {
    Lock lock(VirtualBus::mutex());
    if (!knownHandle(handle))
        return LIBUSB_ERROR_INVALID_PARAM;
    const VirtualBus::Device* device = liveDevice(handle);
    if (!device)
        return LIBUSB_ERROR_NO_DEVICE;
    if (configuration != 1 && configuration != -1)
        return LIBUSB_ERROR_NOT_FOUND;
    // As on Linux: no configuration change while a kernel driver holds an interface.
    return driverBound(handle, device->controlInterface()) ? LIBUSB_ERROR_BUSY : LIBUSB_SUCCESS;
}

int libusb_kernel_driver_active(libusb_device_handle* handle, int interfaceNumber) {
    Lock lock(VirtualBus::mutex());
    const int result = checkInterface(handle, interfaceNumber);
    if (result != LIBUSB_SUCCESS)
        return result;
    return driverBound(handle, interfaceNumber) ? 1 : 0;
}

int libusb_detach_kernel_driver(libusb_device_handle* handle, int interfaceNumber) {
    Lock lock(VirtualBus::mutex());
    const int result = checkInterface(handle, interfaceNumber);
    if (result != LIBUSB_SUCCESS)
        return result;
    if (!driverBound(handle, interfaceNumber))
        return LIBUSB_ERROR_NOT_FOUND;
    if (VirtualBus::current()->config().kernelDriver == 2)
        return LIBUSB_ERROR_ACCESS;
    liveDevice(handle)->driverDetached.insert(handle->device->generation);
    return LIBUSB_SUCCESS;
}

int libusb_attach_kernel_driver(libusb_device_handle* handle, int interfaceNumber) {
    Lock lock(VirtualBus::mutex());
    const int result = checkInterface(handle, interfaceNumber);
    if (result != LIBUSB_SUCCESS)
        return result;
    VirtualBus::Device* device = liveDevice(handle);
    if (VirtualBus::current()->config().kernelDriver == 0 ||
        interfaceNumber != device->controlInterface())
        return LIBUSB_ERROR_NOT_FOUND;
    // As on Linux: the driver cannot take an interface that a program still claims.
    for (libusb_device_handle* other : registry().handles)
        if (other->device == handle->device && other->claimed.count(interfaceNumber))
            return LIBUSB_ERROR_BUSY;
    if (!device->driverDetached.erase(handle->device->generation))
        return LIBUSB_ERROR_BUSY;
    return LIBUSB_SUCCESS;
}

int libusb_set_auto_detach_kernel_driver(libusb_device_handle* handle, int) {
    Lock lock(VirtualBus::mutex());
    return knownHandle(handle) ? LIBUSB_SUCCESS : LIBUSB_ERROR_INVALID_PARAM;
}

int libusb_claim_interface(libusb_device_handle* handle, int interfaceNumber) {
    Lock lock(VirtualBus::mutex());
    const int result = checkInterface(handle, interfaceNumber);
    if (result != LIBUSB_SUCCESS)
        return result;
    if (driverBound(handle, interfaceNumber))
        return LIBUSB_ERROR_BUSY;
    for (libusb_device_handle* other : registry().handles)
        if (other != handle && other->device == handle->device &&
            other->claimed.count(interfaceNumber))
            return LIBUSB_ERROR_BUSY;
    const VirtualBus::Device* device = liveDevice(handle);
    if (device->kind == virtualpedal::PedalConfig::Device::Kind::Pedal &&
        interfaceNumber == device->controlInterface()) {
        if (VirtualBus::current()->config().claimBusy)
            return LIBUSB_ERROR_BUSY;
        if (const int shared = claimAcrossProcesses(handle); shared != LIBUSB_SUCCESS)
            return shared;
    }
    handle->claimed.insert(interfaceNumber);
    return LIBUSB_SUCCESS;
}

int libusb_release_interface(libusb_device_handle* handle, int interfaceNumber) {
    Lock lock(VirtualBus::mutex());
    if (!knownHandle(handle))
        return LIBUSB_ERROR_INVALID_PARAM;
    if (!handle->claimed.erase(interfaceNumber))
        return LIBUSB_ERROR_NOT_FOUND;
    const VirtualBus::Device* device = liveDevice(handle);
    if (!device || interfaceNumber == device->controlInterface())
        releaseAcrossProcesses(handle);
    return device ? LIBUSB_SUCCESS : LIBUSB_ERROR_NO_DEVICE;
}

int libusb_clear_halt(libusb_device_handle* handle, unsigned char) {
    Lock lock(VirtualBus::mutex());
    if (!knownHandle(handle))
        return LIBUSB_ERROR_INVALID_PARAM;
    return liveDevice(handle) ? LIBUSB_SUCCESS : LIBUSB_ERROR_NO_DEVICE;
}

int libusb_interrupt_transfer(libusb_device_handle* handle, unsigned char endpoint,
                              unsigned char* data, int length, int* transferred,
                              unsigned int timeout) {
    return transfer(handle, endpoint, data, length, transferred, timeout,
                    LIBUSB_TRANSFER_TYPE_INTERRUPT);
}

int libusb_bulk_transfer(libusb_device_handle* handle, unsigned char endpoint, unsigned char* data,
                         int length, int* transferred, unsigned int timeout) {
    return transfer(handle, endpoint, data, length, transferred, timeout,
                    LIBUSB_TRANSFER_TYPE_BULK);
}

int libusb_get_string_descriptor_ascii(libusb_device_handle* handle, uint8_t index,
                                       unsigned char* data, int length) {
    if (!data || length <= 0)
        return LIBUSB_ERROR_INVALID_PARAM;
    Lock lock(VirtualBus::mutex());
    if (!knownHandle(handle))
        return LIBUSB_ERROR_INVALID_PARAM;
    const VirtualBus::Device* device = liveDevice(handle);
    if (!device)
        return LIBUSB_ERROR_NO_DEVICE;
    std::string text;
    if (index == 1)
        text = "Virtual";
    else if (index == 2)
        text = VirtualBus::current()->config().deviceType;
    else
        return LIBUSB_ERROR_PIPE;
    const int size = std::min(length - 1, static_cast<int>(text.size()));
    std::memcpy(data, text.data(), static_cast<std::size_t>(size));
    data[size] = '\0';
    return size;
}

const struct libusb_version* libusb_get_version(void) {
    static const libusb_version version{1, 0, 26, 0, "", "virtual pedal"};
    return &version;
}

const char* libusb_error_name(int code) {
    switch (code) {
    case LIBUSB_SUCCESS:
        return "LIBUSB_SUCCESS";
    case LIBUSB_ERROR_IO:
        return "LIBUSB_ERROR_IO";
    case LIBUSB_ERROR_INVALID_PARAM:
        return "LIBUSB_ERROR_INVALID_PARAM";
    case LIBUSB_ERROR_ACCESS:
        return "LIBUSB_ERROR_ACCESS";
    case LIBUSB_ERROR_NO_DEVICE:
        return "LIBUSB_ERROR_NO_DEVICE";
    case LIBUSB_ERROR_NOT_FOUND:
        return "LIBUSB_ERROR_NOT_FOUND";
    case LIBUSB_ERROR_BUSY:
        return "LIBUSB_ERROR_BUSY";
    case LIBUSB_ERROR_TIMEOUT:
        return "LIBUSB_ERROR_TIMEOUT";
    case LIBUSB_ERROR_OVERFLOW:
        return "LIBUSB_ERROR_OVERFLOW";
    case LIBUSB_ERROR_PIPE:
        return "LIBUSB_ERROR_PIPE";
    case LIBUSB_ERROR_INTERRUPTED:
        return "LIBUSB_ERROR_INTERRUPTED";
    case LIBUSB_ERROR_NO_MEM:
        return "LIBUSB_ERROR_NO_MEM";
    case LIBUSB_ERROR_NOT_SUPPORTED:
        return "LIBUSB_ERROR_NOT_SUPPORTED";
    case LIBUSB_ERROR_OTHER:
        return "LIBUSB_ERROR_OTHER";
    default:
        return "**UNKNOWN**";
    }
}

const char* libusb_strerror(int code) {
    switch (code) {
    case LIBUSB_SUCCESS:
        return "Success";
    case LIBUSB_ERROR_IO:
        return "Input/Output Error";
    case LIBUSB_ERROR_INVALID_PARAM:
        return "Invalid parameter";
    case LIBUSB_ERROR_ACCESS:
        return "Access denied (insufficient permissions)";
    case LIBUSB_ERROR_NO_DEVICE:
        return "No such device (it may have been disconnected)";
    case LIBUSB_ERROR_NOT_FOUND:
        return "Entity not found";
    case LIBUSB_ERROR_BUSY:
        return "Resource busy";
    case LIBUSB_ERROR_TIMEOUT:
        return "Operation timed out";
    case LIBUSB_ERROR_OVERFLOW:
        return "Overflow";
    case LIBUSB_ERROR_PIPE:
        return "Pipe error";
    case LIBUSB_ERROR_INTERRUPTED:
        return "System call interrupted (perhaps due to signal)";
    case LIBUSB_ERROR_NO_MEM:
        return "Insufficient memory";
    case LIBUSB_ERROR_NOT_SUPPORTED:
        return "Operation not supported or unimplemented on this platform";
    case LIBUSB_ERROR_OTHER:
        return "Other error";
    default:
        return "Unknown error";
    }
}
