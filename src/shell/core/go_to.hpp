#pragma once
// "Go to" on a record page: the record a typed text names.

#include <functional>
#include <optional>
#include <string>

namespace mc {

// The record a typed "Go to" text names: its number (1..last), else the first
// of records 1..named after `current` (round the end) whose name begins with
// the text, case ignored.
std::optional<int> recordNamed(const std::string& typed, int last, int named, int current,
                               const std::function<std::string(int)>& nameOf);

}  // namespace mc
