#include "app/NotificationPoll.h"

#include "app/ProfileValues.h"
#include "platform/Log.h"
#include "protocol/Command.h"
#include "protocol/DpiConversion.h"
#include "protocol/Replies.h"

namespace korvex {
namespace {

void HandleDpiChange(DeviceContext& ctx, const ReportBuffer& report) {
  DpiChangeReport change;
  if (!ParseDpiChangeReport(report.data(), report.size(), change)) return;
  const ProfileId profile = ctx.Profile();
  ProfileValues values(ctx.store, profile);

  const bool countChanged = ctx.state.Update([&](DeviceMainDef& d) {
    if (d.stageCount == change.count) return false;
    d.stageCount = change.count;
    return true;
  });
  if (countChanged) {
    values.SetInt("dpi_count", change.count);
    ctx.view.ShowDpiCount(change.count);
  }

  const bool stageChanged = ctx.state.Update([&](DeviceMainDef& d) {
    if (d.currentStage == change.stage) return false;
    d.currentStage = change.stage;
    return true;
  });
  if (stageChanged) {
    values.SetInt("dpi_index", change.stage);
    const int dpi = values.Int(ProfileValues::StageValueKey(change.stage));
    ctx.view.ShowDpiStage(change.stage, dpi, DpiToSlider(ctx.SensorCode(), dpi));
    ctx.view.ShowDpiTip(dpi);
  }
}

void HandleStatus(DeviceContext& ctx, const ReportBuffer& report, int sourceType) {
  StatusReport status;
  if (!ParseStatusReport(report.data(), report.size(), status)) return;
  LogLine(2, "上报dongle和设备的连接状态: %d", report[1]);
  ctx.view.ClosePopups();

  if (status.connected) {
    const int mode = ctx.hid.SessionMode() == 1 ? 1 : 0;
    // The mouse is reachable again: what the confirmation of a restore of
    // defaults or the profile dialog ask about must say so too.
    ctx.state.Update([](DeviceMainDef& d) {
      d.mouseOnline = true;
      d.mouseConnected = true;
    });
    ctx.view.ShowConnectionText(mode == 1 ? 52 : 51);
    ctx.view.SetDeviceState(sourceType, mode, 1);
    ctx.hid.SetOnlineState(sourceType, mode, 1);
    ctx.view.ShowDevicePages();
  } else {
    ctx.state.Update([](DeviceMainDef& d) {
      d.mouseOnline = false;
      d.mouseConnected = false;
    });
    ctx.view.ShowConnectionText(50);
    ctx.view.SetDeviceState(sourceType, 1, 0);
    ctx.hid.SetOnlineState(sourceType, 1, 0);
    ctx.hid.PollReceiverStatus();
    ctx.view.ShowPagesForOnlineDevices();
  }

  if (status.batteryLevel != 0) {
    const bool current = sourceType == ctx.CurrentType();
    if (current) {
      ctx.state.Update([&](DeviceMainDef& d) {
        d.batteryLevel = status.batteryLevel;
        d.batteryState = status.batteryState;
      });
      ctx.view.ShowBattery(status.batteryLevel, status.batteryState);
    }
    ctx.view.SetDeviceBattery(sourceType, status.batteryState, status.batteryLevel);
  }
}

}  // namespace

bool PollNotificationsOnce(DeviceContext& ctx, const std::function<bool()>& interrupted) {
  ReportBuffer report{};
  int sourceType = 0;
  if (!ctx.hid.PollNotifications(report, sourceType, interrupted)) return false;
  if (report[0] != 0) {
    LogLine(2, "mouse notify data: %02X %02X %02X %02X %02X %02X", report[0], report[1],
            report[2], report[3], report[4], report[5]);
  }
  if (report[0] == CommandByte(Command::DpiChangeReport)) {
    if (sourceType == ctx.CurrentType()) HandleDpiChange(ctx, report);
  } else if (report[0] == CommandByte(Command::StatusReport)) {
    HandleStatus(ctx, report, sourceType);
  }
  return true;
}

}  // namespace korvex
