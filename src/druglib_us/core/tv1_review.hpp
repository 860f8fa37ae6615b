#pragma once
// The ".tv1" drug library as the US editor reviews it: how the strict reader
// takes a file, what Save would write, each entry's "OK" and the entries a
// comparison lists.

#include <memory>

#include "shell/core/decimal.hpp"
#include "shell/core/review.hpp"

namespace mc::druglib_us {

// `format` is the regional number format the entries' typed texts are judged in.
std::unique_ptr<Dialect> tv1Dialect(const NumberFormat& format = {});

}  // namespace mc::druglib_us
