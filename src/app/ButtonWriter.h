#pragma once
#include "app/DeviceContext.h"
#include "app/MacroUploadMark.h"

namespace korvex {

// Uploads the macro of the pending button if one is marked, then sends the
// nine button functions (0x09). True when the button report was acknowledged.
bool WriteButtons(DeviceContext& ctx, MacroUploadMark& mark);

// Sends a macro's events into the macro slot of a button as 0x08 reports.
// True when the last report was acknowledged (false when the macro is too
// long to be numbered and nothing was sent).
bool SendMacro(DeviceContext& ctx, int keyCode, int macroId);

}  // namespace korvex
