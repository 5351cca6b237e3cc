#include "transport/HidapiBackend.h"

#include <fcntl.h>
#include <hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <cwchar>

#include "transport/HidInterfaceEntry.h"
#include "transport/HidrawMonitor.h"
#include "transport/HidrawSysfs.h"
#include "transport/ReportDescriptor.h"
#include "transport/WideText.h"

namespace korvex {
namespace {

class HidapiDevice : public HidDevice {
 public:
  HidapiDevice(hid_device* device, ReportDescriptor descriptor, int watchFd)
      : device_(device), descriptor_(std::move(descriptor)), watchFd_(watchFd) {}
  ~HidapiDevice() override {
    if (watchFd_ >= 0) ::close(watchFd_);
    hid_close(device_);
  }

  int Write(const std::uint8_t* data, std::size_t length) override {
    descriptor_.PadOutput(data, length, padded_);
    return hid_write(device_, data, length);
  }

  int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
    return hid_read_timeout(device_, buffer, length, timeoutMs);
  }

  // hidapi hides its descriptor, so the wait watches a second reader of the
  // same hidraw node: the kernel hands every report to every reader.
  int InputFd() override { return watchFd_; }

  int InputReadyInMs() override {
    // Whatever the watcher holds is also waiting for hidapi's own reader.
    bool any = false;
    std::uint8_t scratch[256];
    ssize_t n;
    while ((n = ::read(watchFd_, scratch, sizeof scratch)) > 0 || (n < 0 && errno == EINTR)) {
      if (n > 0) any = true;
    }
    return any ? 0 : -1;
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
  ReportDescriptor descriptor_;
  std::vector<std::uint8_t> padded_;
  int watchFd_;
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
  // Without a readable descriptor nothing is padded, as before.
  std::vector<std::uint8_t> descriptor;
  ReadHidrawReportDescriptor(path, descriptor);
  // Without a second reader the worker falls back to reads with a time-out.
  const int watchFd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  return std::make_unique<HidapiDevice>(device, ReportDescriptor::Parse(descriptor), watchFd);
}

bool HidapiBackend::HasCollection(const std::string& path, std::uint16_t usagePage,
                                  std::uint16_t usage) {
  std::vector<std::uint8_t> descriptor;
  if (!ReadHidrawReportDescriptor(path, descriptor)) return false;
  return ReportDescriptor::Parse(descriptor).HasCollection(usagePage, usage);
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
