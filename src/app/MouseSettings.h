#pragma once
#include <array>
#include <cstdint>

namespace korvex {

// What the last read-back of every setting got from the mouse itself, reply
// by reply, so that a caller can show the mouse's values rather than the
// store's and tell whether the read-back was whole.
struct MouseSettings {
  // A read-back of every setting ran at least once in this run.
  bool read = false;
  // Every read was answered with a value in its key's range.
  bool complete = false;
  // Command byte of the first read that was not, 0 when none.
  int unanswered = 0;
  // That read was refused (a reply came that did not acknowledge it).
  bool refused = false;
  // The answers were all written to the store.
  bool stored = false;

  int reportRate = 0;
  int dpiCount = 0;
  int dpiIndex = 0;
  std::array<int, 6> dpi{};
  bool coloursPresent = false;
  std::array<std::uint32_t, 6> colours{};
  bool lightingRead = false;
  int lightMode = 0;
  int lightBrightness = 0;
  int lightSpeed = 0;
  int liftoffHeight = 0;
  int sensorFlag = 0;
  int sleepLight = 0;
  int moveWakeup = 0;
  int moveCloseLight = 0;
  int buttonResponseTime = 0;
};

}  // namespace korvex
