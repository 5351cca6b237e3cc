#pragma once
// Descriptor colour text ("#RRGGBB" and its shorter forms) to a ColourRef.

#include <string_view>

#include "store/ColourRef.h"

namespace korvex {

// The first character (the "#") is dropped and the rest is read by its
// length as hexadecimal pairs: 6 gives red, green, blue; 5 red, green and a
// one-digit blue; 4 red and green; 3 red and a one-digit green; 2 red only.
// Any other length gives 0. Parts that are missing are 0; each piece is read
// up to its first non-hexadecimal character.
ColourRef ParseColourText(std::string_view text);

}  // namespace korvex
