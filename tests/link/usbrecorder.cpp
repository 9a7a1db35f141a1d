#include "tests/link/usbrecorder.h"

#include <mutex>

extern "C" {
int __real_libusb_interrupt_transfer(libusb_device_handle*, unsigned char, unsigned char*, int,
                                     int*, unsigned int);
int __real_libusb_bulk_transfer(libusb_device_handle*, unsigned char, unsigned char*, int, int*,
                                unsigned int);
int __real_libusb_claim_interface(libusb_device_handle*, int);
int __real_libusb_release_interface(libusb_device_handle*, int);
int __real_libusb_open(libusb_device*, libusb_device_handle**);
void __real_libusb_close(libusb_device_handle*);
}

namespace {

std::mutex mutex;
std::vector<UsbRecorder::Transfer> recorded;
std::vector<int> claimed;
std::vector<int> released;
int opened = 0;
int closed = 0;
struct Failure {
    bool pending = false;
    int rc = 0;
    int transferred = 0;
};
Failure failIn;
Failure failOut;

int recordTransfer(int (*real)(libusb_device_handle*, unsigned char, unsigned char*, int, int*,
                               unsigned int),
                   libusb_device_handle* handle, unsigned char endpoint, unsigned char* data,
                   int length, int* transferred, unsigned int timeout) {
    UsbRecorder::Transfer t{endpoint, {}, timeout, 0};
    const bool out = (endpoint & LIBUSB_ENDPOINT_IN) == 0;
    if (out)
        t.bytes.assign(data, data + length);
    else
        t.bytes.resize(static_cast<std::size_t>(length));
    Failure failure;
    {
        std::lock_guard<std::mutex> lock(mutex);
        std::swap(failure, out ? failOut : failIn);
    }
    if (failure.pending) {
        *transferred = failure.transferred;
        t.result = failure.rc;
    } else {
        t.result = real(handle, endpoint, data, length, transferred, timeout);
    }
    std::lock_guard<std::mutex> lock(mutex);
    recorded.push_back(std::move(t));
    return recorded.back().result;
}

std::vector<UsbRecorder::Transfer> filtered(bool in) {
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<UsbRecorder::Transfer> result;
    for (const auto& t : recorded)
        if (((t.endpoint & LIBUSB_ENDPOINT_IN) != 0) == in)
            result.push_back(t);
    return result;
}

} // namespace

extern "C" {

int __wrap_libusb_interrupt_transfer(libusb_device_handle* handle, unsigned char endpoint,
                                     unsigned char* data, int length, int* transferred,
                                     unsigned int timeout) {
    return recordTransfer(__real_libusb_interrupt_transfer, handle, endpoint, data, length,
                          transferred, timeout);
}

int __wrap_libusb_bulk_transfer(libusb_device_handle* handle, unsigned char endpoint,
                                unsigned char* data, int length, int* transferred,
                                unsigned int timeout) {
    return recordTransfer(__real_libusb_bulk_transfer, handle, endpoint, data, length, transferred,
                          timeout);
}

int __wrap_libusb_claim_interface(libusb_device_handle* handle, int number) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        claimed.push_back(number);
    }
    return __real_libusb_claim_interface(handle, number);
}

int __wrap_libusb_release_interface(libusb_device_handle* handle, int number) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        released.push_back(number);
    }
    return __real_libusb_release_interface(handle, number);
}

int __wrap_libusb_open(libusb_device* device, libusb_device_handle** handle) {
    const int rc = __real_libusb_open(device, handle);
    std::lock_guard<std::mutex> lock(mutex);
    if (rc == 0)
        ++opened;
    return rc;
}

void __wrap_libusb_close(libusb_device_handle* handle) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++closed;
    }
    __real_libusb_close(handle);
}

} // extern "C"

void UsbRecorder::clear() {
    std::lock_guard<std::mutex> lock(mutex);
    recorded.clear();
    claimed.clear();
    released.clear();
    opened = closed = 0;
    failIn = failOut = Failure{};
}

void UsbRecorder::failNextTransfer(bool in, int rc, int transferred) {
    std::lock_guard<std::mutex> lock(mutex);
    (in ? failIn : failOut) = Failure{true, rc, transferred};
}

std::vector<UsbRecorder::Transfer> UsbRecorder::transfers() {
    std::lock_guard<std::mutex> lock(mutex);
    return recorded;
}

std::vector<UsbRecorder::Transfer> UsbRecorder::outTransfers() {
    return filtered(false);
}

std::vector<UsbRecorder::Transfer> UsbRecorder::inTransfers() {
    return filtered(true);
}

std::vector<int> UsbRecorder::claimedInterfaces() {
    std::lock_guard<std::mutex> lock(mutex);
    return claimed;
}

std::vector<int> UsbRecorder::releasedInterfaces() {
    std::lock_guard<std::mutex> lock(mutex);
    return released;
}

int UsbRecorder::opens() {
    std::lock_guard<std::mutex> lock(mutex);
    return opened;
}

int UsbRecorder::closes() {
    std::lock_guard<std::mutex> lock(mutex);
    return closed;
}
