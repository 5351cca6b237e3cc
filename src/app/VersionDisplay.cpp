#include "app/VersionDisplay.h"

#include <cstdio>

namespace korvex {

std::string FormatVersionRow(const std::string& caption, const std::string& version, bool withV) {
  if (version.empty()) return caption;
  const std::string first = version.substr(0, 1);
  const std::string last = version.size() >= 2 ? version.substr(version.size() - 2) : version;
  return caption + ": " + (withV ? "v" : "") + first + "." + last;
}

void ShowVersions(DeviceContext& ctx) {
  const std::string mouseCaption = ctx.text(551);
  const std::string receiverCaption = ctx.text(552);
  ctx.view.ShowVersionRow(0, mouseCaption, "");
  ctx.view.ShowVersionRow(1, receiverCaption, "");

  const int mode = ctx.hid.SessionMode();
  std::uint32_t release = 0;
  if (mode < 0 || !ctx.hid.ReleaseOfMode(mode, release)) return;
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(release));
  const std::string version = text;

  if (mode == 1) {
    ctx.state.Update([&](DeviceMainDef& d) { d.receiverVersion = version; });
    ctx.view.ShowVersionRow(1, FormatVersionRow(receiverCaption, version, true), ctx.text(580));
    ctx.view.EnableFirmwareButtons(false, true);
  } else {
    ctx.state.Update([&](DeviceMainDef& d) { d.mouseFirmwareVersion = version; });
    ctx.view.ShowVersionRow(0, FormatVersionRow(mouseCaption, version, true), ctx.text(580));
    ctx.view.EnableFirmwareButtons(true, false);
  }
}

}  // namespace korvex
