#pragma once
// The ".tv1" macro file of the US drug library: a start line, 24 department
// lines, one keyword line per drug entry and a finish line with the macro name.
// The reader is strict: any line that departs from this grammar refuses the
// whole file.

#include <string>
#include <string_view>

#include "druglib_us/core/us_library.hpp"

namespace mc::druglib_us {

std::string writeTv1(const UsDrugLibrary& library, const std::string& macroName);

// The library as its file reads back: the file carries only the bolus value
// (time or rate) the bolus time units use.
UsDrugLibrary asSaved(UsDrugLibrary library);

struct Tv1Read {
    bool accepted = false;
    UsDrugLibrary library;  // when refused: what was read before the refusal
    // When refused: the line (from 1; 0 for the end of the file) and why, for
    // reports beyond the editor's one message.
    int refusedLine = 0;
    std::string cause;
};
Tv1Read readTv1(std::string_view bytes);

// Takes the value at the front of `line` up to the first place where `key1` or
// `key2` begins and removes value and key from `line`. When neither key
// comes, the whole line is the value, `line` ends empty and `found` is cleared.
std::string ExtractValue(std::string_view& line, std::string_view key1, std::string_view key2, bool& found);

}  // namespace mc::druglib_us
