#pragma once
#include <cstdint>

namespace korvex {

// Vendor and product id from a HID_ID property ("0003:00001209:00000003").
bool ParseHidId(const char* hidId, std::uint16_t& vendorId, std::uint16_t& productId);

// USB interface number from a bInterfaceNumber attribute ("02", hex);
// -1 when absent or malformed.
int ParseInterfaceNumber(const char* attribute);

// USB interface number from a HID_PHYS property ("usb-0000:00:14.0-1/input2");
// -1 when it names none.
int InterfaceFromPhys(const char* phys);

}  // namespace korvex
