#pragma once
// The program's id on the desktop: the name of its desktop entry, icon and
// AppStream file, and what notifications and window managers match it by.

namespace korvex {

inline constexpr const char* kDesktopId = "example.korvex.KorvexMouse";

}  // namespace korvex
