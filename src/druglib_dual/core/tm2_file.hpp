#pragma once
// The ".tm2" drug library file of the 510 pump, as bytes (Latin-1, CR LF).
//
// Release 041 writes 25 "DEP:" lines, 100 "D41:" lines with a two-byte
// checksum and one "LIBRARY=" line; release 036 writes 25 "DEP:" lines and
// 100 shorter "D36:" lines. Both readers take each line on its own and skip,
// without complaint, every line that is not exactly one of their forms.

#include <cstddef>
#include <string>
#include <string_view>

#include "druglib_dual/core/drug_library.hpp"

namespace mc::druglib {

// Widths of the text fields in the file; names read back have exactly these.
inline constexpr std::size_t DepartmentNameWidth = 20;
inline constexpr std::size_t DrugNameWidth041 = 14;
inline constexpr std::size_t DrugNameWidth036 = 10;
inline constexpr std::size_t LibraryNameWidth = 11;

// `libraryName` is the macro name chosen on saving, not the one read last.
// Fields are padded to their widths; a longer value is written whole.
std::string writeTm2Release041(const DrugLibrary& library, std::string_view libraryName);

std::string writeTm2Release036(const DrugLibrary& library);

// What a reader made of a file's lines: how many non-blank lines it left out,
// and how many lines of each release's forms the file holds.
struct Tm2LineCount {
    int notUnderstood = 0;
    int release041Lines = 0;  // "D41:" and "LIBRARY=" lines
    int release036Lines = 0;  // "D36:" lines
};

// Reads "DEP:", "D41:", "LIBRARY=" and the older "D36:" lines (whose names are
// widened to 14 characters) into an empty library. Checksums are not checked.
DrugLibrary readTm2Release041(std::string_view bytes, Tm2LineCount* counted = nullptr);

// Reads only "DEP:" and "D36:" lines; "D41:" and "LIBRARY=" lines are ignored.
DrugLibrary readTm2Release036(std::string_view bytes, Tm2LineCount* counted = nullptr);

// The file as the editor of `release` reads and writes it (release 036 has no
// name line and ignores `libraryName`).
DrugLibrary readTm2(std::string_view bytes, Release release, Tm2LineCount* counted = nullptr);
std::string writeTm2(const DrugLibrary& library, Release release, std::string_view libraryName);

// The library as the file `release` writes for it reads back: every text at
// its field width, the library name only in release 041.
DrugLibrary asSaved(const DrugLibrary& library, Release release, std::string_view libraryName);

// The checksum S and F (four hex digits) that belongs to a "D41:" line of 48
// characters or more; columns past the 48th are not covered. Empty for a
// shorter line.
std::string release041Checksum(std::string_view line);

}  // namespace mc::druglib
