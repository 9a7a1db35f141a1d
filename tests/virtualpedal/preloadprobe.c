/* A plain libusb program, linked against the system libusb: under LD_PRELOAD it must find the
 * virtual pedal. Prints one line: "<devices> <device type> <run mode>" or "none". */
#include <libusb-1.0/libusb.h>
#include <stdio.h>
#include <string.h>

int main(void) {
    if (libusb_init(NULL) != 0)
        return 2;
    libusb_device** list = NULL;
    const ssize_t count = libusb_get_device_list(NULL, &list);
    libusb_device_handle* handle = libusb_open_device_with_vid_pid(NULL, 0x0483, 0x5703);
    if (count < 0 || !handle) {
        printf("none\n");
        if (count >= 0)
            libusb_free_device_list(list, 1);
        libusb_exit(NULL);
        return 1;
    }
    unsigned char out[64] = {7, 0xAA, 0x55, 0x01, 0x00, 0x00, 0xC8, 0xCF};
    unsigned char in[64] = {0};
    int moved = 0;
    int result = libusb_claim_interface(handle, 0);
    if (result == 0)
        result = libusb_interrupt_transfer(handle, 0x01, out, sizeof out, &moved, 100);
    if (result == 0)
        result = libusb_interrupt_transfer(handle, 0x81, in, sizeof in, &moved, 500);
    if (result == 0 && moved == 64 && in[0] == 62) {
        char type[33] = {0};
        memcpy(type, in + 6, 32);
        printf("%d %s %c\n", (int)count, type, in[6 + 53]);
    } else {
        printf("failed %s\n", libusb_error_name(result));
    }
    libusb_release_interface(handle, 0);
    libusb_close(handle);
    libusb_free_device_list(list, 1);
    libusb_exit(NULL);
    return result == 0 ? 0 : 1;
}
