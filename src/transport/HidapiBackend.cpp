#include "transport/HidapiBackend.h"

#include <hidapi.h>

#include <cwchar>

#include "transport/HidInterfaceEntry.h"
#include "transport/HidrawMonitor.h"
#include "transport/WideText.h"

namespace korvex {
namespace {

class HidapiDevice : public HidDevice {
 public:
  explicit HidapiDevice(hid_device* device) : device_(device) {}
  ~HidapiDevice() override { hid_close(device_); }

  int Write(const std::uint8_t* data, std::size_t length) override {
    return hid_write(device_, data, length);
  }

  int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
    return hid_read_timeout(device_, buffer, length, timeoutMs);
  }

  std::string ProductString() override {
    wchar_t text[HidInterfaceEntry::kMaxProductLength + 1] = {};
    if (hid_get_product_string(device_, text, HidInterfaceEntry::kMaxProductLength + 1) != 0) {
      return {};
    }
    text[HidInterfaceEntry::kMaxProductLength] = L'\0';
    return WideToUtf8(text);
  }

 private:
  hid_device* device_;
};

HidInterfaceInfo ToInterfaceInfo(const hid_device_info& record) {
  HidInterfaceInfo info;
  info.path = record.path ? record.path : "";
  info.vendorId = record.vendor_id;
  info.productId = record.product_id;
  info.release = record.release_number;
  info.usagePage = record.usage_page;
  info.usage = record.usage;
  info.interfaceNumber = record.interface_number;
  if (record.product_string) info.product = WideToUtf8(record.product_string);
  return info;
}

}  // namespace

HidapiBackend::HidapiBackend() : initialised_(hid_init() == 0) {}

HidapiBackend::~HidapiBackend() {
  SetEventSink(nullptr);
  if (initialised_) hid_exit();
}

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate() {
  std::vector<HidInterfaceInfo> result;
  if (!initialised_) return result;
  hid_device_info* list = hid_enumerate(0, 0);
  for (hid_device_info* record = list; record; record = record->next) {
    result.push_back(ToInterfaceInfo(*record));
  }
  hid_free_enumeration(list);
  return result;
}

std::unique_ptr<HidDevice> HidapiBackend::Open(const std::string& path) {
  if (!initialised_) return nullptr;
  hid_device* device = hid_open_path(path.c_str());
  if (!device) return nullptr;
  return std::make_unique<HidapiDevice>(device);
}

bool HidapiBackend::SetEventSink(EventSink sink) {
  std::lock_guard<std::mutex> lock(monitorMutex_);
  monitor_.reset();  // joins the previous monitor thread
  if (!sink) return true;
  auto monitor = std::make_unique<HidrawMonitor>();
  if (!monitor->Start(std::move(sink))) return false;
  monitor_ = std::move(monitor);
  return true;
}

}  // namespace korvex
