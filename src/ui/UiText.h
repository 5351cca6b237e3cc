#pragma once
// Interface text N of the current language as a QString.

#include <QString>

#include "i18n/Texts.h"

namespace korvex {

inline QString UiText(int number) { return QString::fromStdString(GetText(number)); }

}  // namespace korvex
