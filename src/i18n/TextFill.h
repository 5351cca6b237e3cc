#pragma once
// Fills the fields of a looked-up text. The texts come from language files
// that anyone may edit, so they are never handed to printf: each field
// ("%s", "%d", or any other conversion with its flags) takes the next
// argument as it is, "%%" gives "%", and a field without an argument left
// becomes empty.

#include <initializer_list>
#include <string>
#include <string_view>

namespace korvex {

std::string FillText(std::string_view format, std::initializer_list<std::string_view> args);

}  // namespace korvex
