#include <gtest/gtest.h>

#include <numeric>

#include "protocol/Crc16.h"
#include "protocol/FirmwareReport.h"

namespace korvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Image(std::size_t n) {
  Bytes image(n);
  std::iota(image.begin(), image.end(), std::uint8_t{1});
  return image;
}

bool AllFF(const FirmwareReport& r, std::size_t from) {
  for (std::size_t i = from; i < FirmwareReport::kLength; ++i) {
    if (r.bytes[i] != 0xFF) return false;
  }
  return true;
}

// Block b of a report: number, 16 data bytes, CRC over the 18 before it.
void ExpectBlock(const FirmwareReport& r, std::size_t b, int number, const Bytes& data) {
  const std::uint8_t* block = r.data() + 4 + 20 * b;
  EXPECT_EQ(block[0] | (block[1] << 8), number);
  Bytes padded = data;
  padded.resize(16, 0xFF);
  EXPECT_EQ(Bytes(block + 2, block + 18), padded);
  const std::uint16_t crc = Crc16Modbus(block, 18);
  EXPECT_EQ(block[18], crc & 0xFF);
  EXPECT_EQ(block[19], crc >> 8);
}

TEST(FirmwareReportTest, Crc16ModbusCheckValues) {
  const char* check = "123456789";
  EXPECT_EQ(Crc16Modbus(reinterpret_cast<const std::uint8_t*>(check), 9), 0x4B37);
  EXPECT_EQ(Crc16Modbus(nullptr, 0), 0xFFFF);
  const std::uint8_t modbusRequest[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A};  // sent as C5 CD
  EXPECT_EQ(Crc16Modbus(modbusRequest, 6), 0xCDC5);
}

TEST(FirmwareReportTest, StartAndEndReports) {
  const FirmwareReport start = FirmwareReport::Start();
  EXPECT_EQ(Bytes(start.bytes.begin(), start.bytes.begin() + 6), (Bytes{0x05, 0x02, 0x02, 0x00, 0x01, 0xFF}));
  EXPECT_TRUE(AllFF(start, 5));
  const FirmwareReport end = FirmwareReport::End();
  EXPECT_EQ(Bytes(end.bytes.begin(), end.bytes.begin() + 5), (Bytes{0x05, 0x02, 0x06, 0x00, 0x02}));
  EXPECT_TRUE(AllFF(end, 5));
}

TEST(FirmwareReportTest, ImagesSplitIntoThreeBlockReports) {
  std::vector<FirmwareReport> reports;
  const Bytes i48 = Image(48);
  ASSERT_EQ(BuildFirmwareDataReports(i48.data(), i48.size(), reports), 1);
  EXPECT_EQ(reports[0].bytes[2], 60);
  for (std::size_t b = 0; b < 3; ++b) {
    ExpectBlock(reports[0], b, static_cast<int>(b), Bytes(i48.begin() + 16 * b, i48.begin() + 16 * (b + 1)));
  }

  const Bytes i49 = Image(49);
  ASSERT_EQ(BuildFirmwareDataReports(i49.data(), i49.size(), reports), 2);
  EXPECT_EQ(reports[1].bytes[2], 20);
  ExpectBlock(reports[1], 0, 3, Bytes{49});  // 15 bytes of 0xFF padding, inside the CRC
  EXPECT_TRUE(AllFF(reports[1], 24));

  const Bytes i100 = Image(100);
  ASSERT_EQ(BuildFirmwareDataReports(i100.data(), i100.size(), reports), 3);
  EXPECT_EQ(reports[1].bytes[2], 60);
  ExpectBlock(reports[1], 0, 3, Bytes(i100.begin() + 48, i100.begin() + 64));
  EXPECT_EQ(reports[2].bytes[2], 20);
  ExpectBlock(reports[2], 0, 6, Bytes{97, 98, 99, 100});

  const Bytes i80 = Image(80);  // 32 bytes left: two blocks
  ASSERT_EQ(BuildFirmwareDataReports(i80.data(), i80.size(), reports), 2);
  EXPECT_EQ(reports[1].bytes[2], 40);
  ExpectBlock(reports[1], 1, 4, Bytes(i80.begin() + 64, i80.end()));
  EXPECT_TRUE(AllFF(reports[1], 44));
}

TEST(FirmwareReportTest, RefusesWhatCannotBeSentOrNumbered) {
  FirmwareReport report;
  const Bytes image = Image(49);
  EXPECT_FALSE(FirmwareReport::Data(0, image.data(), 0, report));
  EXPECT_FALSE(FirmwareReport::Data(0, image.data(), 49, report));
  EXPECT_FALSE(FirmwareReport::Data(0xFFFE, image.data(), 48, report));
  ASSERT_TRUE(FirmwareReport::Data(0xFFFD, image.data(), 48, report));
  ExpectBlock(report, 2, 0xFFFF, Bytes(image.begin() + 32, image.begin() + 48));

  std::vector<FirmwareReport> reports;
  EXPECT_EQ(BuildFirmwareDataReports(image.data(), 0, reports), 0);
  const Bytes tooLarge(16 * 0x10000 + 1, 0x00);
  EXPECT_EQ(BuildFirmwareDataReports(tooLarge.data(), tooLarge.size(), reports), 0);
  EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace korvex
