#pragma once
// Why the ".tm2" readers would skip or half-read lines of a file. The readers
// themselves pass over such lines in silence, as the pump software expects;
// this pass names the line and the cause for a person checking the file.

#include <string_view>
#include <vector>

#include "druglib_dual/core/drug_library.hpp"
#include "shell/core/line_diff.hpp"

namespace mc::druglib {

// Every problem of the file as read by `release`, in line order, then what is
// missing: a line not of its forms, a field of the wrong length or not hex, a
// number out of range, a wrong checksum and the one it should have, an entry
// again or out of the order the editor writes, an entry without a line.
std::vector<LineProblem> explainTm2(std::string_view bytes, Release release);

}  // namespace mc::druglib
