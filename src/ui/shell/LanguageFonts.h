#pragma once
// The font families the interface falls back on in a language. Han
// characters are drawn differently in Japanese and Chinese, so the CJK face
// follows the language; Latin, Cyrillic and Vietnamese come from one face
// with every diacritic, so that mixed texts keep one look.

#include <QStringList>

namespace korvex {

QStringList LanguageFonts(int lcid);

}  // namespace korvex
