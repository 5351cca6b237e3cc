#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/DeviceRoster.h"
#include "sim/FrameStatus.h"
#include "sim/MacroAssembler.h"
#include "sim/SlotSettings.h"

namespace korvex::sim {

using InputReport = std::array<std::uint8_t, kInputReportLength>;

// The mouse's configuration firmware: decodes command frames from the wire
// bytes, keeps the flash settings of its profile slots and answers with
// input reports. Not thread-safe; the hub serialises access.
class MouseFirmware {
 public:
  explicit MouseFirmware(MouseIdentity identity);

  // One output report of the configuration interface, data[0] being the
  // report id. Shorter reports are zero-padded as the HID driver pads them.
  // Returns false when the report gets no answer at all (no data, longer than
  // an output report, report id other than 0); otherwise reply is the answer.
  bool HandleOutputReport(const std::uint8_t* data, std::size_t length, InputReport& reply);

  // Answer to command 0x10 with the given connection byte.
  void FillDeviceInfo(InputReport& reply, bool connected, bool withBattery) const;

  // The DPI button: next stage of the active slot, as report 0xC2.
  void PressDpiButton(InputReport& report);

  void FactoryReset();
  // Drops a macro upload in progress (power lost).
  void ClearVolatile() { macros_.Clear(); }

  const MouseIdentity& Identity() const { return identity_; }
  void SetFirmwareVersion(std::uint8_t major, std::uint8_t minor);
  void SetBattery(std::uint8_t level, std::uint8_t state);
  std::uint8_t BatteryLevel() const { return batteryLevel_; }
  std::uint8_t BatteryState() const { return batteryState_; }

  int ActiveSlotIndex() const { return activeSlot_; }
  bool SetActiveSlot(int slot);
  const SlotSettings& Slot(int slot) const { return slots_[slot]; }
  const SlotSettings& ActiveSlot() const { return slots_[activeSlot_]; }
  bool MacroUploadInProgress() const { return macros_.InProgress(); }

  // Flash image: firmware version, active slot and every slot.
  void SerializeFlash(std::vector<std::uint8_t>& out) const;
  bool DeserializeFlash(const std::uint8_t* data, std::size_t length);

  // Frame helpers shared with the receiver, which answers some commands
  // itself while its mouse is away.
  static bool ChecksumOk(const std::uint8_t* frame);
  static void StartReply(const std::uint8_t* frame, InputReport& reply, FrameStatus status);

 private:
  using Frame = std::array<std::uint8_t, kOutputReportLength>;

  FrameStatus Dispatch(const Frame& f, InputReport& reply);
  FrameStatus Read(const Frame& f, InputReport& reply);
  FrameStatus Write(const Frame& f);
  FrameStatus WriteReportRate(const Frame& f);
  FrameStatus WriteStages(const Frame& f);
  FrameStatus WriteColours(const Frame& f);
  FrameStatus WriteLighting(const Frame& f);
  FrameStatus WriteLiftoff(const Frame& f);
  FrameStatus WritePower(const Frame& f);
  FrameStatus WriteMacro(const Frame& f);
  FrameStatus WriteButtons(const Frame& f);
  FrameStatus Reset(const Frame& f);
  void FillLighting(InputReport& reply) const;
  SlotSettings& Active() { return slots_[activeSlot_]; }

  MouseIdentity identity_;
  std::array<SlotSettings, kSlotCount> slots_;
  int activeSlot_ = 0;
  std::uint8_t batteryLevel_ = 0;
  std::uint8_t batteryState_ = 0;
  MacroAssembler macros_;
};

}  // namespace korvex::sim
