#pragma once
// Frames typed in by hand from the wire layout (never from protocol/), so the
// firmware model is checked against the layout itself.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace korvex::simtest {

using Bytes = std::vector<std::uint8_t>;

// header = bytes 0..4 (report id, command, 0, sequence, length); payload from
// byte 5; byte 32 = sum of bytes 5..31. length 33 or 65; by default 65, the
// configuration interface's output report, as the host pads every frame.
inline Bytes Frame(std::initializer_list<std::uint8_t> header,
                   std::initializer_list<std::uint8_t> payload = {}, std::size_t length = 65) {
  Bytes f(length, 0);
  std::size_t i = 0;
  for (auto b : header) f[i++] = b;
  i = 5;
  for (auto b : payload) f[i++] = b;
  unsigned sum = 0;
  for (std::size_t k = 5; k < 32; ++k) sum += f[k];
  f[32] = static_cast<std::uint8_t>(sum & 0xFF);
  return f;
}

inline Bytes Read(std::uint8_t command) { return Frame({0x00, command}); }

inline Bytes Write(std::uint8_t command, std::uint8_t lengthByte,
                   std::initializer_list<std::uint8_t> payload, std::size_t length = 65) {
  return Frame({0x00, command, 0x00, 0x01, lengthByte}, payload, length);
}

// One firmware update report: 05 02 len 00, payload, 0xFF elsewhere.
inline Bytes UpdateReport(const Bytes& payload) {
  Bytes r(64, 0xFF);
  r[0] = 0x05;
  r[1] = 0x02;
  r[2] = static_cast<std::uint8_t>(payload.size());
  r[3] = 0x00;
  for (std::size_t i = 0; i < payload.size(); ++i) r[4 + i] = payload[i];
  return r;
}

// CRC-16/MODBUS written out again for the tests.
inline std::uint16_t ModbusCrc(const std::uint8_t* d, std::size_t n) {
  std::uint16_t crc = 0xFFFF;
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= d[i];
    for (int b = 0; b < 8; ++b) crc = (crc & 1) ? ((crc >> 1) ^ 0xA001) : (crc >> 1);
  }
  return crc;
}

// One 20-byte block: number, 16 data bytes (0xFF padded), CRC low first.
inline Bytes Block(int number, const Bytes& data) {
  Bytes b(20, 0xFF);
  b[0] = static_cast<std::uint8_t>(number & 0xFF);
  b[1] = static_cast<std::uint8_t>(number >> 8);
  for (std::size_t i = 0; i < data.size() && i < 16; ++i) b[2 + i] = data[i];
  const std::uint16_t crc = ModbusCrc(b.data(), 18);
  b[18] = static_cast<std::uint8_t>(crc & 0xFF);
  b[19] = static_cast<std::uint8_t>(crc >> 8);
  return b;
}

inline Bytes StartReport() { return UpdateReport({0x01, 0xFF}); }
inline Bytes EndReport() { return UpdateReport({0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}); }

// Data reports of an image, three blocks a report.
inline std::vector<Bytes> DataReports(const Bytes& image) {
  std::vector<Bytes> reports;
  int block = 0;
  for (std::size_t pos = 0; pos < image.size();) {
    Bytes payload;
    for (int k = 0; k < 3 && pos < image.size(); ++k, pos += 16) {
      const Bytes chunk(image.begin() + pos, image.begin() + std::min(pos + 16, image.size()));
      const Bytes b = Block(block++, chunk);
      payload.insert(payload.end(), b.begin(), b.end());
    }
    reports.push_back(UpdateReport(payload));
  }
  return reports;
}

}  // namespace korvex::simtest
