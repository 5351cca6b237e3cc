#include "transport/HidrawMonitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Log.h"
#include "transport/UdevIds.h"

namespace korvex {

HidrawMonitor::~HidrawMonitor() { Stop(); }

bool HidrawMonitor::Start(HidBackend::EventSink sink) {
  if (thread_.joinable() || !sink) return false;
  udev_ = udev_new();
  if (udev_) monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  const bool ready = monitor_ && wakeFd_ >= 0 &&
                     udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) >= 0 &&
                     udev_monitor_enable_receiving(monitor_) >= 0;
  if (!ready) {
    LogLine(2, "hidraw monitor unavailable");
    Stop();
    return false;
  }
  RememberPresentNodes();
  sink_ = std::move(sink);
  thread_ = std::thread([this] { Run(); });
  return true;
}

void HidrawMonitor::Stop() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    while (write(wakeFd_, &one, sizeof one) < 0 && errno == EINTR) {
    }
    thread_.join();
  }
  if (monitor_) udev_monitor_unref(monitor_);
  if (udev_) udev_unref(udev_);
  if (wakeFd_ >= 0) close(wakeFd_);
  monitor_ = nullptr;
  udev_ = nullptr;
  wakeFd_ = -1;
  sink_ = nullptr;
}

void HidrawMonitor::Run() {
  pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
  for (;;) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      LogLine(2, "hidraw monitor poll failed: %s", std::strerror(errno));
      return;
    }
    if (fds[1].revents) return;
    if (!(fds[0].revents & POLLIN)) continue;
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (!device) continue;
    Handle(device);
    udev_device_unref(device);
  }
}

void HidrawMonitor::RememberPresentNodes() {
  udev_enumerate* list = udev_enumerate_new(udev_);
  if (!list) return;
  udev_enumerate_add_match_subsystem(list, "hidraw");
  udev_enumerate_scan_devices(list);
  udev_list_entry* item;
  udev_list_entry_foreach(item, udev_enumerate_get_list_entry(list)) {
    udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(item));
    if (!device) continue;
    HidDeviceEvent event;
    if (Describe(device, event)) known_[event.path] = event;
    udev_device_unref(device);
  }
  udev_enumerate_unref(list);
}

bool HidrawMonitor::Describe(udev_device* device, HidDeviceEvent& event) const {
  const char* node = udev_device_get_devnode(device);
  if (!node) return false;
  event.path = node;
  udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
  if (!hid) return false;
  if (!ParseHidId(udev_device_get_property_value(hid, "HID_ID"), event.vendorId,
                  event.productId)) {
    return false;
  }
  udev_device* usbInterface =
      udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_interface");
  event.interfaceNumber =
      usbInterface
          ? ParseInterfaceNumber(udev_device_get_sysattr_value(usbInterface, "bInterfaceNumber"))
          : -1;
  if (event.interfaceNumber < 0) {
    event.interfaceNumber = InterfaceFromPhys(udev_device_get_property_value(hid, "HID_PHYS"));
  }
  return true;
}

void HidrawMonitor::Handle(udev_device* device) {
  const char* action = udev_device_get_action(device);
  const char* node = udev_device_get_devnode(device);
  if (!action || !node) return;
  HidDeviceEvent event;
  if (std::strcmp(action, "add") == 0) {
    if (!Describe(device, event)) {
      event = HidDeviceEvent{};
      event.path = node;
    }
    event.kind = HidDeviceEvent::Kind::Arrival;
    known_[event.path] = event;
  } else if (std::strcmp(action, "remove") == 0) {
    auto found = known_.find(node);
    if (found != known_.end()) {
      event = found->second;
      known_.erase(found);
    } else {
      event.path = node;
    }
    event.kind = HidDeviceEvent::Kind::Removal;
  } else {
    return;
  }
  sink_(event);
}

}  // namespace korvex
