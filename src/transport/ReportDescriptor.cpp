#include "transport/ReportDescriptor.h"

#include <algorithm>

namespace korvex {
namespace {

// Item types and the tags this parser acts on.
constexpr int kMain = 0, kGlobal = 1, kLocal = 2;
constexpr int kTagOutput = 0x9, kTagCollection = 0xA, kTagEndCollection = 0xC;
constexpr int kTagUsagePage = 0x0, kTagReportSize = 0x7, kTagReportId = 0x8, kTagReportCount = 0x9,
              kTagPush = 0xA, kTagPop = 0xB;
constexpr int kTagUsage = 0x0;
constexpr std::uint8_t kLongItem = 0xFE;
// Far beyond any real descriptor; keeps a hostile one from growing the stack.
constexpr std::size_t kMaxPushDepth = 16;
constexpr std::uint32_t kMaxReportBits = 0xFFFF * 8;

struct Globals {
  std::uint32_t usagePage = 0;
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint8_t reportId = 0;
};

std::uint32_t Unsigned(const std::uint8_t* p, std::size_t n) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return v;
}

}  // namespace

ReportDescriptor ReportDescriptor::Parse(const std::uint8_t* bytes, std::size_t size) {
  ReportDescriptor out;
  if (!bytes) return out;
  Globals g;
  std::vector<Globals> stack;
  std::vector<std::uint32_t> usages;  // local usages since the last main item
  int depth = 0;
  std::size_t i = 0;
  while (i < size) {
    const std::uint8_t prefix = bytes[i];
    if (prefix == kLongItem) {
      if (size - i < 3) break;
      const std::size_t skip = 3u + bytes[i + 1];
      if (size - i < skip) break;
      i += skip;
      continue;
    }
    const std::size_t n = (prefix & 3) == 3 ? 4 : (prefix & 3);
    if (size - i - 1 < n) break;
    const std::uint32_t value = Unsigned(bytes + i + 1, n);
    const int type = (prefix >> 2) & 3;
    const int tag = prefix >> 4;
    i += 1 + n;

    if (type == kGlobal) {
      switch (tag) {
        case kTagUsagePage: g.usagePage = value; break;
        case kTagReportSize: g.reportSize = value; break;
        case kTagReportCount: g.reportCount = value; break;
        case kTagReportId: g.reportId = static_cast<std::uint8_t>(value); break;
        case kTagPush:
          if (stack.size() < kMaxPushDepth) stack.push_back(g);
          break;
        case kTagPop:
          if (!stack.empty()) {
            g = stack.back();
            stack.pop_back();
          }
          break;
        default: break;
      }
    } else if (type == kLocal) {
      if (tag == kTagUsage) {
        // A four-byte usage carries its own page in the high half.
        usages.push_back(n == 4 ? value : (g.usagePage << 16) | (value & 0xFFFF));
      }
    } else if (type == kMain) {
      if (tag == kTagOutput) {
        const std::uint64_t bits = static_cast<std::uint64_t>(g.reportSize) * g.reportCount;
        std::uint32_t& total = out.outputBits_[g.reportId];
        total = static_cast<std::uint32_t>(std::min<std::uint64_t>(total + bits, kMaxReportBits));
      } else if (tag == kTagCollection) {
        if (depth == 0) {
          const std::uint32_t usage = usages.empty() ? g.usagePage << 16 : usages.front();
          out.collections_.push_back(Collection{static_cast<std::uint16_t>(usage >> 16),
                                                static_cast<std::uint16_t>(usage & 0xFFFF)});
        }
        ++depth;
      } else if (tag == kTagEndCollection) {
        if (depth > 0) --depth;
      }
      usages.clear();
    }
  }
  return out;
}

std::size_t ReportDescriptor::OutputWriteLength(std::uint8_t reportId) const {
  const auto it = outputBits_.find(reportId);
  if (it == outputBits_.end() || it->second == 0) return 0;
  return 1 + (it->second + 7) / 8;
}

bool ReportDescriptor::HasCollection(std::uint16_t usagePage, std::uint16_t usage) const {
  return std::any_of(collections_.begin(), collections_.end(), [&](const Collection& c) {
    return c.usagePage == usagePage && c.usage == usage;
  });
}

void ReportDescriptor::PadOutput(const std::uint8_t*& data, std::size_t& length,
                                 std::vector<std::uint8_t>& scratch) const {
  if (!data || length == 0) return;
  const std::size_t wanted = OutputWriteLength(data[0]);
  if (wanted <= length) return;
  scratch.assign(data, data + length);
  scratch.resize(wanted, 0);
  data = scratch.data();
  length = wanted;
}

}  // namespace korvex
