#pragma once
// The ".tm2" drug library as its editor of each release reviews it: how the
// reader takes a file, what Save would write, each drug's "OK", the entries a
// comparison lists and the printouts.

#include <memory>

#include "druglib_dual/core/drug_library.hpp"
#include "shell/core/review.hpp"

namespace mc::druglib {

std::unique_ptr<Dialect> tm2Dialect(Release release);

}  // namespace mc::druglib
