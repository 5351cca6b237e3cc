#pragma once
#include <mutex>
#include <utility>

#include "app/DeviceMainDef.h"

namespace korvex {

// The live DeviceMainDef, shared by the worker (which writes most of it) and
// the interface thread (which reads it and changes the current profile, the
// current type and the read-back record). Every access takes the lock for
// the duration of one short function; nothing slow runs under it.
class DeviceStateBox {
 public:
  DeviceMainDef Get() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return def_;
  }
  // Reads one value: Read([](const DeviceMainDef& d) { return d.currentType; }).
  template <typename F>
  auto Read(F&& f) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::forward<F>(f)(static_cast<const DeviceMainDef&>(def_));
  }
  template <typename F>
  auto Update(F&& f) {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::forward<F>(f)(def_);
  }

 private:
  mutable std::mutex mutex_;
  DeviceMainDef def_;
};

}  // namespace korvex
