#include "app/LightingWriter.h"

#include "platform/Log.h"
#include "protocol/LightingCommand.h"
#include "store/StoreFailures.h"

namespace korvex {

bool WriteLighting(DeviceContext& ctx) {
  const ProfileId profile = ctx.Profile();
  const StoreFailureWatch watch;
  // The lighting page marks the mode it shows as the active row before it
  // queues this write, so the store's active row is the page's mode; marking
  // it again keeps the status column to exactly one row.
  const int mode = ctx.store.GetActiveLightMode(profile);
  ctx.store.SetActiveLightMode(profile, mode);
  LightRecord row;
  if (!ctx.store.GetLight(profile, mode, row) || watch.Failed()) return false;

  LightingSetting setting;
  setting.mode = row.mode;
  setting.brightness = row.brightness;
  setting.speed = row.speed;
  setting.colours = {static_cast<ColourRef>(row.color_value1), static_cast<ColourRef>(row.color_value2),
                     static_cast<ColourRef>(row.color_value3), static_cast<ColourRef>(row.color_value4),
                     static_cast<ColourRef>(row.color_value5), static_cast<ColourRef>(row.color_value6),
                     static_cast<ColourRef>(row.color_value7)};
  ReportFrame frame = BuildLighting(setting);
  if (ctx.hid.Exchange(frame)) return true;
  LogLine(2, "0x05: 设置灯光模式失败");
  return false;
}

}  // namespace korvex
