#include "virtualpedal/usbfs/usbfspedal.h"

#include "virtualpedal/virtualbus.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>

namespace virtualpedal {

namespace {

constexpr unsigned char interruptIn = 0x81;
constexpr unsigned char interruptOut = 0x01;
constexpr unsigned char bulkIn = 0x82;
constexpr unsigned char bulkOut = 0x02;
constexpr std::size_t setupSize = 8;
const char* const sysName = "1-1";
const char* const devnode = "/dev/bus/usb/001/002";

usbdevfs_urb* urbOf(UMockdevIoctlData* data) {
    return reinterpret_cast<usbdevfs_urb*>(data->data);
}

void unrefUrb(UMockdevIoctlData* urb, UMockdevIoctlData* buffer) {
    if (buffer)
        g_object_unref(buffer);
    if (urb)
        g_object_unref(urb);
}

// URB type the endpoint has, -1 for an endpoint the pedal lacks.
int urbTypeOf(unsigned char endpoint) {
    switch (endpoint) {
    case interruptIn:
    case interruptOut:
        return USBDEVFS_URB_TYPE_INTERRUPT;
    case bulkIn:
    case bulkOut:
        return USBDEVFS_URB_TYPE_BULK;
    case 0x00:
    case 0x80:
        return USBDEVFS_URB_TYPE_CONTROL;
    default:
        return -1;
    }
}

PedalModel::Pipe pipeOf(unsigned char endpoint) {
    return (endpoint & 0x7F) == (bulkIn & 0x7F) ? PedalModel::Pipe::Bulk
                                                : PedalModel::Pipe::Interrupt;
}

// Wire time of a transfer in full-speed packets: 64 bytes each, a 512-byte bulk chunk 8.
int packetsOf(unsigned char endpoint, int length) {
    const int packet = pipeOf(endpoint) == PedalModel::Pipe::Bulk ? 512 : 64;
    const int factor = packet / 64;
    return std::max(1, (length + packet - 1) / packet) * factor;
}

std::vector<std::uint8_t> stringDescriptor(const std::string& text) {
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(2 + 2 * text.size()), 3};
    for (char c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(0);
    }
    return out;
}

} // namespace

UsbfsPedal::UsbfsPedal(UMockdevTestbed* testbed) : testbed_(testbed) {
    Lock lock(VirtualBus::mutex());
    VirtualBus::acquire();
    bus_ = VirtualBus::current();
}

UsbfsPedal::~UsbfsPedal() {
    {
        Lock lock(VirtualBus::mutex());
        stop_ = true;
        VirtualBus::wakeup().notify_all();
    }
    if (pump_.joinable())
        pump_.join();
    if (handler_) {
        umockdev_testbed_detach_ioctl(testbed_, devnode_.c_str(), nullptr);
        g_object_unref(handler_);
    }
    Lock lock(VirtualBus::mutex());
    for (auto& [client, state] : clients_) {
        for (auto* list : {&state.pending, &state.outgoing, &state.done})
            for (Urb& urb : *list)
                unrefUrb(urb.urb, urb.buffer);
        for (HeldReap& held : state.reaps)
            g_object_unref(held.arg);
        g_object_unref(client);
    }
    clients_.clear();
    VirtualBus::release();
}

std::vector<std::uint8_t> UsbfsPedal::deviceDescriptor() const {
    const VirtualBus::Device* device = bus_->pedal();
    const auto low = static_cast<std::uint8_t>(device->bcdDevice);
    const auto high = static_cast<std::uint8_t>(device->bcdDevice >> 8);
    return {18, 1, 0x00, 0x02, 0, 0, 0, 64, 0x83, 0x04, 0x03, 0x57, low, high, 1, 2, 0, 1};
}

std::vector<std::uint8_t> UsbfsPedal::configDescriptor() const {
    const VirtualBus::Device* device = bus_->pedal();
    const int count = device->interfaceCount;
    std::vector<std::uint8_t> out{9, 2, 0, 0, static_cast<std::uint8_t>(count), 1, 0, 0x80, 50};
    for (int i = 0; i < count; ++i) {
        const bool control = i == device->controlInterface();
        const auto number = static_cast<std::uint8_t>(i);
        const std::uint8_t endpointCount = control ? 4 : 0;
        const std::uint8_t interface[] = {9, 4, number, 0, endpointCount, 0xFF, 0, 0, 0};
        out.insert(out.end(), std::begin(interface), std::end(interface));
        if (!control)
            continue;
        const std::uint8_t endpoints[] = {7, 5, interruptIn,  3, 64, 0, 1, //
                                          7, 5, interruptOut, 3, 64, 0, 1, //
                                          7, 5, bulkIn,       2, 0,  2, 0, //
                                          7, 5, bulkOut,      2, 0,  2, 0};
        out.insert(out.end(), std::begin(endpoints), std::end(endpoints));
    }
    out[2] = static_cast<std::uint8_t>(out.size());
    out[3] = static_cast<std::uint8_t>(out.size() >> 8);
    return out;
}

bool UsbfsPedal::attach(std::string& error) {
    Lock lock(VirtualBus::mutex());
    VirtualBus::Device* device = bus_->pedal();
    if (bus_->config().devices.empty())
        return true; // an empty bus: the program finds no pedal
    if (!device || bus_->config().devices.size() != 1) {
        error = "only a bus with the one modelled pedal can be emulated";
        return false;
    }
    std::vector<std::uint8_t> descriptors = deviceDescriptor();
    const std::vector<std::uint8_t> config = configDescriptor();
    descriptors.insert(descriptors.end(), config.begin(), config.end());

    char bcd[8];
    std::snprintf(bcd, sizeof bcd, "%04x\n", device->bcdDevice);
    char product[32];
    std::snprintf(product, sizeof product, "483/5703/%x", device->bcdDevice);
    gchar* syspath = umockdev_testbed_add_device(
        testbed_, "usb", sysName, nullptr,
        // attributes
        "busnum", "1\n", "devnum", "2\n", "speed", "12\n", "idVendor", "0483\n", "idProduct",
        "5703\n", "bcdDevice", bcd, "bConfigurationValue", "1\n", "bNumConfigurations", "1\n",
        "manufacturer", "Virtual\n", "product", (bus_->config().deviceType + "\n").c_str(), "dev",
        "189:1\n", nullptr,
        // properties
        "DEVTYPE", "usb_device", "DEVNAME", devnode, "BUSNUM", "001", "DEVNUM", "002", "PRODUCT",
        product, nullptr);
    if (!syspath) {
        error = "the testbed refused the device";
        return false;
    }
    umockdev_testbed_set_attribute_binary(testbed_, syspath, "descriptors", descriptors.data(),
                                          static_cast<gint>(descriptors.size()));
    g_free(syspath);
    // The testbed names the node but leaves the file to us; a plain file stands for it.
    gchar* root = umockdev_testbed_get_root_dir(testbed_);
    const std::string node = std::string(root) + devnode;
    g_free(root);
    const std::string folder = node.substr(0, node.rfind('/'));
    if (g_mkdir_with_parents(folder.c_str(), 0755) != 0 ||
        !g_file_set_contents(node.c_str(), "", 0, nullptr)) {
        error = "cannot create the device node";
        return false;
    }

    handler_ = umockdev_ioctl_base_new();
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(onIoctl), this);
    g_signal_connect(handler_, "client-connected", G_CALLBACK(onConnected), this);
    g_signal_connect(handler_, "client-vanished", G_CALLBACK(onVanished), this);
    GError* failure = nullptr;
    devnode_ = devnode;
    if (!umockdev_testbed_attach_ioctl(testbed_, devnode, handler_, &failure)) {
        error = failure ? failure->message : "cannot attach to the device node";
        g_clear_error(&failure);
        return false;
    }
    // As on a seat without access: the node's permissions refuse every open.
    if (bus_->config().openDenied && chmod(node.c_str(), 0) != 0) {
        error = "cannot take the access to the device node away";
        return false;
    }
    pump_ = std::thread([this] { pump(); });
    return true;
}

bool UsbfsPedal::deniesOpen() const {
    return bus_->config().openDenied;
}

void UsbfsPedal::unplug() {
    Lock lock(VirtualBus::mutex());
    if (VirtualBus::Device* device = bus_->pedal())
        device->model->unplug();
    VirtualBus::wakeup().notify_all();
}

void UsbfsPedal::replug() {
    Lock lock(VirtualBus::mutex());
    if (VirtualBus::Device* device = bus_->pedal())
        device->model->replug();
    VirtualBus::wakeup().notify_all();
}

void UsbfsPedal::onConnected(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    auto* pedal = static_cast<UsbfsPedal*>(self);
    Lock lock(VirtualBus::mutex());
    PedalModel& model = *pedal->bus_->pedal()->model;
    // Opening the node is the program finding the pedal: a restarted pedal is back now.
    model.advance(Clock::now());
    model.enumerate();
    g_object_ref(client);
    pedal->clients_[client].generation = model.generation();
}

void UsbfsPedal::onVanished(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    auto* pedal = static_cast<UsbfsPedal*>(self);
    Lock lock(VirtualBus::mutex());
    auto found = pedal->clients_.find(client);
    if (found == pedal->clients_.end())
        return;
    for (auto* list : {&found->second.pending, &found->second.outgoing, &found->second.done})
        for (Urb& urb : *list)
            unrefUrb(urb.urb, urb.buffer);
    for (HeldReap& held : found->second.reaps)
        g_object_unref(held.arg);
    // Closing the node ends its claims.
    for (auto claim = pedal->claims_.begin(); claim != pedal->claims_.end();)
        claim = claim->second == client ? pedal->claims_.erase(claim) : std::next(claim);
    pedal->clients_.erase(found);
    g_object_unref(client);
}

gboolean UsbfsPedal::onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    auto* pedal = static_cast<UsbfsPedal*>(self);
    Lock lock(VirtualBus::mutex());
    auto found = pedal->clients_.find(client);
    if (found == pedal->clients_.end()) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return TRUE;
    }
    pedal->handle(lock, client, found->second);
    VirtualBus::wakeup().notify_all();
    return TRUE;
}

bool UsbfsPedal::alive(const Client& state) const {
    const PedalModel& model = *bus_->pedal()->model;
    return model.present() && model.generation() == state.generation;
}

void UsbfsPedal::handle(Lock&, UMockdevIoctlClient* client, Client& state) {
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    const PedalConfig& config = bus_->config();
    bus_->pedal()->model->advance(Clock::now());

    if (request == USBDEVFS_REAPURBNDELAY || request == USBDEVFS_REAPURB) {
        reap(client, state, arg,
             request == USBDEVFS_REAPURB ? Clock::time_point::max() : Clock::now() + reapHold);
        return;
    }
    if (request == USBDEVFS_DISCARDURB) {
        discard(client, state, arg);
        return;
    }
    if (!alive(state)) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return;
    }
    if (request == USBDEVFS_SUBMITURB) {
        submit(client, state, arg);
        return;
    }

    long result = 0;
    int error = 0;
    UMockdevIoctlData* data = nullptr;
    const int controlInterface = bus_->pedal()->controlInterface();
    const bool driverBound = config.kernelDriver != 0 && !state.driverDetached;
    if (request == USBDEVFS_GET_CAPABILITIES) {
        data = umockdev_ioctl_data_resolve(arg, 0, sizeof(std::uint32_t), nullptr);
        if (data)
            std::memset(data->data, 0, sizeof(std::uint32_t));
    } else if (request == USBDEVFS_SETCONFIGURATION) {
        data = umockdev_ioctl_data_resolve(arg, 0, sizeof(int), nullptr);
        if (!data || *reinterpret_cast<int*>(data->data) != 1)
            result = -1, error = EINVAL;
    } else if (request == USBDEVFS_GETDRIVER) {
        data = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_getdriver), nullptr);
        auto* query = data ? reinterpret_cast<usbdevfs_getdriver*>(data->data) : nullptr;
        if (query && driverBound && static_cast<int>(query->interface) == controlInterface)
            std::strcpy(query->driver, "pedal");
        else
            result = -1, error = ENODATA;
    } else if (request == USBDEVFS_IOCTL) {
        data = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_ioctl), nullptr);
        auto* call = data ? reinterpret_cast<usbdevfs_ioctl*>(data->data) : nullptr;
        if (!call || static_cast<unsigned long>(call->ioctl_code) != USBDEVFS_DISCONNECT ||
            !driverBound || call->ifno != controlInterface)
            result = -1, error = call ? ENODATA : EINVAL;
        else if (config.kernelDriver == 2)
            result = -1, error = EACCES;
        else
            state.driverDetached = true;
    } else if (request == USBDEVFS_CLAIMINTERFACE || request == USBDEVFS_RELEASEINTERFACE) {
        data = umockdev_ioctl_data_resolve(arg, 0, sizeof(unsigned int), nullptr);
        const int number = data ? static_cast<int>(*reinterpret_cast<unsigned*>(data->data)) : -1;
        const auto holder = claims_.find(number);
        // A claim of a pedal that has gone since ended with it.
        const bool heldElsewhere = holder != claims_.end() && holder->second != client &&
                                   alive(clients_.at(holder->second));
        if (number < 0 || number >= bus_->pedal()->interfaceCount)
            result = -1, error = EINVAL;
        else if (request == USBDEVFS_RELEASEINTERFACE) {
            if (holder != claims_.end() && holder->second == client)
                claims_.erase(holder);
        } else if (heldElsewhere ||
                   (number == controlInterface && (driverBound || config.claimBusy)))
            result = -1, error = EBUSY;
        else
            claims_[number] = client;
    } else if (request != USBDEVFS_CLEAR_HALT && request != USBDEVFS_RESET) {
        result = -1, error = ENOTTY;
    }
    umockdev_ioctl_client_complete(client, result, error);
    if (data)
        g_object_unref(data);
}

void UsbfsPedal::submit(UMockdevIoctlClient* client, Client& state, UMockdevIoctlData* arg) {
    Urb urb;
    urb.urb = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
    if (!urb.urb) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    usbdevfs_urb* raw = urbOf(urb.urb);
    const int length = raw->buffer_length;
    urb.endpoint = raw->endpoint;
    if (urbTypeOf(urb.endpoint) != raw->type || length < 0 ||
        (raw->type == USBDEVFS_URB_TYPE_CONTROL && length < static_cast<int>(setupSize))) {
        unrefUrb(urb.urb, nullptr);
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return;
    }
    if (length > 0) {
        urb.buffer = umockdev_ioctl_data_resolve(urb.urb, offsetof(usbdevfs_urb, buffer),
                                                 static_cast<gsize>(length), nullptr);
        if (!urb.buffer) {
            unrefUrb(urb.urb, nullptr);
            umockdev_ioctl_client_complete(client, -1, EFAULT);
            return;
        }
    }
    if (raw->type == USBDEVFS_URB_TYPE_CONTROL) {
        control(urb, length);
        state.done.push_back(urb);
    } else if ((urb.endpoint & 0x80) && length == 0) {
        state.done.push_back(urb); // nothing to fill
    } else if (urb.endpoint & 0x80) {
        state.pending.push_back(urb);
    } else {
        // Under the timing model each packet waits for its slot, one per millisecond.
        VirtualBus::Device& device = *bus_->pedal();
        const Clock::time_point now = Clock::now();
        urb.ready = now;
        if (bus_->config().timing) {
            urb.ready = std::max(now, device.nextOut);
            device.nextOut = urb.ready + std::chrono::milliseconds(packetsOf(urb.endpoint, length));
        }
        urb.actualLength = length;
        state.outgoing.push_back(urb);
    }
    umockdev_ioctl_client_complete(client, 0, 0);
    service(Clock::now());
}

void UsbfsPedal::control(Urb& urb, int length) {
    const std::uint8_t* setup = urb.buffer->data;
    const int requestType = setup[0];
    const int requestCode = setup[1];
    const int value = setup[2] | setup[3] << 8;
    const int wanted = std::min(setup[6] | setup[7] << 8, length - static_cast<int>(setupSize));
    std::vector<std::uint8_t> answer;
    if (requestType == 0x80 && requestCode == 6) {
        const int type = value >> 8;
        const int index = value & 0xFF;
        if (type == 1)
            answer = deviceDescriptor();
        else if (type == 2 && index == 0)
            answer = configDescriptor();
        else if (type == 3 && index == 0)
            answer = {4, 3, 0x09, 0x04};
        else if (type == 3 && index == 1)
            answer = stringDescriptor("Virtual");
        else if (type == 3 && index == 2)
            answer = stringDescriptor(bus_->config().deviceType);
        else
            urb.status = -EPIPE;
    } else if (requestType & 0x80) {
        urb.status = -EPIPE;
    }
    const int size = std::min(wanted, static_cast<int>(answer.size()));
    std::copy_n(answer.begin(), size, urb.buffer->data + setupSize);
    urb.actualLength = size;
}

void UsbfsPedal::reap(UMockdevIoctlClient* client, Client& state, UMockdevIoctlData* arg,
                      Clock::time_point deadline) {
    UMockdevIoctlData* slot = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr);
    if (!slot) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    service(Clock::now());
    // With nothing in flight nothing can complete: holding the reap would only delay the caller.
    const bool inFlight = !state.pending.empty() || !state.outgoing.empty();
    if (!state.done.empty() || !alive(state) || !inFlight || deadline <= Clock::now()) {
        deliver(client, state, HeldReap{slot, deadline});
        return;
    }
    state.reaps.push_back(HeldReap{slot, deadline});
}

void UsbfsPedal::deliver(UMockdevIoctlClient* client, Client& state, HeldReap reap) {
    if (state.done.empty()) {
        umockdev_ioctl_client_complete(client, -1, alive(state) ? EAGAIN : ENODEV);
        g_object_unref(reap.arg);
        return;
    }
    Urb urb = state.done.front();
    state.done.pop_front();
    usbdevfs_urb* raw = urbOf(urb.urb);
    raw->status = urb.status;
    raw->actual_length = urb.actualLength;
    umockdev_ioctl_data_set_ptr(reap.arg, 0, urb.urb);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(reap.arg);
    unrefUrb(urb.urb, urb.buffer);
}

void UsbfsPedal::discard(UMockdevIoctlClient* client, Client& state, UMockdevIoctlData* arg) {
    const gulong address = *reinterpret_cast<const gulong*>(arg->data);
    auto found = std::find_if(state.pending.begin(), state.pending.end(),
                              [&](const Urb& urb) { return urb.urb->client_addr == address; });
    if (found == state.pending.end()) {
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return;
    }
    found->status = -ENOENT;
    state.done.push_back(*found);
    state.pending.erase(found);
    umockdev_ioctl_client_complete(client, 0, 0);
}

void UsbfsPedal::service(Clock::time_point now) {
    PedalModel& model = *bus_->pedal()->model;
    model.advance(now);
    std::vector<std::uint8_t> packet;
    VirtualBus::Device& device = *bus_->pedal();
    const bool timing = bus_->config().timing;
    for (auto& [client, state] : clients_) {
        const bool live = alive(state);
        while (!state.outgoing.empty() && (state.outgoing.front().ready <= now || !live)) {
            Urb& urb = state.outgoing.front();
            if (live && urb.actualLength > 0)
                model.receive(pipeOf(urb.endpoint), urb.buffer->data,
                              static_cast<std::size_t>(urb.actualLength), now);
            else if (!live)
                urb.status = -ESHUTDOWN, urb.actualLength = 0;
            state.done.push_back(urb);
            state.outgoing.pop_front();
        }
        while (!state.pending.empty()) {
            Urb& urb = state.pending.front();
            if (!live) {
                // The kernel ends the URBs of a device that has gone with this status.
                urb.status = -ESHUTDOWN;
            } else if ((timing && now < device.nextIn) ||
                       !model.takePacket(pipeOf(urb.endpoint), now, packet)) {
                break;
            } else {
                if (timing)
                    device.nextIn = now + std::chrono::milliseconds(packet.size() / 64);
                const int room = urbOf(urb.urb)->buffer_length;
                const int size = std::min(room, static_cast<int>(packet.size()));
                std::copy_n(packet.begin(), size, urb.buffer->data);
                urb.actualLength = size;
                urb.status = static_cast<int>(packet.size()) > room ? -EOVERFLOW : 0;
            }
            state.done.push_back(urb);
            state.pending.pop_front();
        }
        auto reap = state.reaps.begin();
        while (reap != state.reaps.end()) {
            if (state.done.empty() && live && reap->deadline > now) {
                ++reap;
                continue;
            }
            deliver(client, state, *reap);
            reap = state.reaps.erase(reap);
        }
    }
}

void UsbfsPedal::pump() {
    Lock lock(VirtualBus::mutex());
    PedalModel& model = *bus_->pedal()->model;
    while (!stop_) {
        const Clock::time_point now = Clock::now();
        service(now);
        Clock::time_point wake = now + std::chrono::milliseconds(100);
        for (auto& [client, state] : clients_) {
            for (const HeldReap& reap : state.reaps)
                wake = std::min(wake, reap.deadline);
            for (const Urb& urb : state.pending)
                wake = std::min(
                    wake, std::max(model.nextEvent(pipeOf(urb.endpoint)), bus_->pedal()->nextIn));
            if (!state.outgoing.empty())
                wake = std::min(wake, state.outgoing.front().ready);
        }
        if (wake > now)
            VirtualBus::wakeup().wait_until(lock, wake);
    }
}

} // namespace virtualpedal
