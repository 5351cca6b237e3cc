#pragma once
#include <cstddef>
#include <cstdint>

namespace korvex {

// CRC-16/MODBUS: reflected polynomial 0xA001, initial value 0xFFFF, no final
// XOR. "123456789" gives 0x4B37.
std::uint16_t Crc16Modbus(const std::uint8_t* data, std::size_t length);

}  // namespace korvex
