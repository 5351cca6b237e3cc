#include "ui/shell/LanguageFonts.h"

namespace korvex {

QStringList LanguageFonts(int lcid) {
  const QString cjk = lcid == 1041 ? QStringLiteral("Noto Sans CJK JP") : QStringLiteral("Noto Sans CJK SC");
  return {QStringLiteral("DejaVu Sans"), cjk, QStringLiteral("WenQuanYi Micro Hei")};
}

}  // namespace korvex
