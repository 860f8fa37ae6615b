#pragma once
// The ".tm2" drug library of the 510 pump, as releases 041 and 036 read it.

#include <memory>

#include "cli/core/dialect.hpp"
#include "druglib_dual/core/drug_library.hpp"

namespace mc::cli {

std::unique_ptr<Dialect> tm2Dialect(druglib::Release release);

}  // namespace mc::cli
