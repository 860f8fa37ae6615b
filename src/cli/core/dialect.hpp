#pragma once
// The dialects the command-line program knows, by the extension of a file.
// A dialect (shell/core/review.hpp) is one kind of macro file as its editor
// reads, checks, compares and prints it; the commands know nothing else
// about the formats.

#include <memory>
#include <string_view>
#include <vector>

#include "shell/core/review.hpp"

namespace mc::cli {

using mc::Dialect;
using mc::Entry;
using mc::EntryCheck;
using mc::Field;
using mc::PrintRequest;
using mc::Problem;
using mc::Reading;

// The dialects that may read a file of this extension (letter case ignored),
// in the order they are tried; empty for a file of another kind.
std::vector<std::unique_ptr<Dialect>> dialectsFor(std::string_view extension);

// The extensions the program knows, for messages.
inline constexpr std::string_view KnownExtensions = ".tm2, .tv1, .tb2, .tv9, .tv8";

}  // namespace mc::cli
