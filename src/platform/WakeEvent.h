#pragma once
// An event a thread can wait on together with file descriptors (an eventfd):
// the worker blocks on the device and on its task queue at once, so a queued
// task starts at once and an idle program sleeps until something happens.

namespace korvex {

class WakeEvent {
 public:
  WakeEvent();
  ~WakeEvent();
  WakeEvent(const WakeEvent&) = delete;
  WakeEvent& operator=(const WakeEvent&) = delete;

  // Sets the event; it stays set until a Wait or Clear takes it.
  void Signal();
  // Waits at most timeoutMs (negative: without bound) for the event and
  // takes it. True when it was set.
  bool Wait(int timeoutMs);
  void Clear();
  // Readable while the event is set; for poll() beside other descriptors.
  int Fd() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace korvex
