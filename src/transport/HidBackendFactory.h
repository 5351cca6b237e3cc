#pragma once
#include <memory>

#include "transport/HidBackend.h"

namespace korvex {

// The virtual mouse when KORVEX_VMOUSE names its socket (and the virtual
// backend is built in), hidapi otherwise.
std::unique_ptr<HidBackend> MakeDefaultHidBackend();

}  // namespace korvex
