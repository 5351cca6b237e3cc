#pragma once
#include <mutex>

namespace korvex {

// The button whose newly assigned macro still has to be uploaded. Set by the
// interface thread when a macro is bound to a button, taken (and cleared) by
// the next button write on the worker.
class MacroUploadMark {
 public:
  void Set(int keyCode) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_ = true;
    keyCode_ = keyCode;
  }
  // The pending key code, or -1; the mark is clear afterwards.
  int Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    const int key = pending_ ? keyCode_ : -1;
    pending_ = false;
    keyCode_ = -1;
    return key;
  }
  bool Pending() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pending_;
  }

 private:
  mutable std::mutex mutex_;
  bool pending_ = false;
  int keyCode_ = -1;
};

}  // namespace korvex
