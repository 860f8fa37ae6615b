#pragma once
// The US pump's drug library (".tv1") as the command-line program sees it.

#include <memory>

#include "cli/core/dialect.hpp"

namespace mc::cli {

std::unique_ptr<Dialect> usDialect();

}  // namespace mc::cli
