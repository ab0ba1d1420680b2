#pragma once
// The part of libusb-win32's usb.h that the program uses: its structures up to the device
// descriptor, laid out as the library lays them out, and the opaque handle. On Windows the
// library is not linked but loaded at run time (libusb0.dll), so only these declarations are
// needed to build.

#include <cstdint>

extern "C" {

constexpr int kLibusbWin32PathMax = 512;

struct usb_dev_handle;
typedef struct usb_dev_handle usb_dev_handle;

struct usb_device_descriptor {
    std::uint8_t bLength;
    std::uint8_t bDescriptorType;
    std::uint16_t bcdUSB;
    std::uint8_t bDeviceClass;
    std::uint8_t bDeviceSubClass;
    std::uint8_t bDeviceProtocol;
    std::uint8_t bMaxPacketSize0;
    std::uint16_t idVendor;
    std::uint16_t idProduct;
    std::uint16_t bcdDevice;
    std::uint8_t iManufacturer;
    std::uint8_t iProduct;
    std::uint8_t iSerialNumber;
    std::uint8_t bNumConfigurations;
};

struct usb_config_descriptor;
struct usb_bus;

struct usb_device {
    struct usb_device* next;
    struct usb_device* prev;
    char filename[kLibusbWin32PathMax];
    struct usb_bus* bus;
    struct usb_device_descriptor descriptor;
    struct usb_config_descriptor* config;
    void* dev;
    std::uint8_t devnum;
    std::uint8_t num_children;
    struct usb_device** children;
};

struct usb_bus {
    struct usb_bus* next;
    struct usb_bus* prev;
    char dirname[kLibusbWin32PathMax];
    struct usb_device* devices;
    unsigned long location;
    struct usb_device* root_dev;
};

}  // extern "C"
