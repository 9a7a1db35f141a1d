#pragma once

#include "virtualpedal/pedalmodel.h"

#include <umockdev.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace virtualpedal {

class VirtualBus;

// The modelled pedal as a kernel USB device in a umockdev testbed: a sysfs entry, a device node,
// and the usbfs requests of any libusb program answered from the model, packet in, packet out.
//
// A libusb program polls the node, which umockdev serves as an always-writable socket, and then
// reaps without blocking. So that it does not spin, a reap that finds nothing done is held back
// until a URB completes or reapHold has passed.
class UsbfsPedal {
public:
    static constexpr std::chrono::milliseconds reapHold{2};

    // Reads the TALIX_VP_* settings (the first pedal of TALIX_VP_DEVICES is modelled).
    explicit UsbfsPedal(UMockdevTestbed* testbed);
    ~UsbfsPedal();
    UsbfsPedal(const UsbfsPedal&) = delete;
    UsbfsPedal& operator=(const UsbfsPedal&) = delete;

    // Adds the device to the testbed; false with a reason when it cannot.
    bool attach(std::string& error);
    // The device node may not be opened (TALIX_VP_OPEN_DENIED): its permissions refuse it.
    bool deniesOpen() const;
    // The pedal leaves the bus (transfers in flight end) and comes back as a new device.
    void unplug();
    void replug();

private:
    using Clock = PedalModel::Clock;
    using Lock = std::unique_lock<std::mutex>;

    struct Urb {
        UMockdevIoctlData* urb = nullptr;    // owned reference, resolved in the server
        UMockdevIoctlData* buffer = nullptr; // owned reference or null
        unsigned char endpoint = 0;
        int status = 0;
        int actualLength = 0;
        Clock::time_point ready; // OUT: when the packet is on the wire
    };
    struct HeldReap {
        UMockdevIoctlData* arg = nullptr; // owned reference
        Clock::time_point deadline;       // max(): blocking reap
    };
    struct Client {
        int generation = 0;
        bool driverDetached = false;
        std::deque<Urb> pending;  // IN URBs waiting for a packet
        std::deque<Urb> outgoing; // OUT URBs waiting for their time on the wire
        std::deque<Urb> done;
        std::vector<HeldReap> reaps;
    };

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);
    static void onConnected(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);
    static void onVanished(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);

    void handle(Lock& lock, UMockdevIoctlClient* client, Client& state);
    void submit(UMockdevIoctlClient* client, Client& state, UMockdevIoctlData* arg);
    void control(Urb& urb, int length);
    void reap(UMockdevIoctlClient* client, Client& state, UMockdevIoctlData* arg,
              Clock::time_point deadline);
    void discard(UMockdevIoctlClient* client, Client& state, UMockdevIoctlData* arg);
    void deliver(UMockdevIoctlClient* client, Client& state, HeldReap reap);
    // Fills waiting IN URBs, ends the URBs of a vanished pedal, answers held reaps.
    void service(Clock::time_point now);
    bool alive(const Client& state) const;
    void pump();
    std::vector<std::uint8_t> configDescriptor() const;
    std::vector<std::uint8_t> deviceDescriptor() const;

    UMockdevTestbed* testbed_;
    UMockdevIoctlBase* handler_ = nullptr;
    VirtualBus* bus_ = nullptr;
    std::string devnode_;
    std::map<UMockdevIoctlClient*, Client> clients_;
    // Interface number -> the client (one open of the node, one program) that claims it.
    std::map<int, UMockdevIoctlClient*> claims_;
    bool stop_ = false;
    std::thread pump_;
};

} // namespace virtualpedal
