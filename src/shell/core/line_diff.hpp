#pragma once
// Where two texts of lines differ, line by line: what a file holds against
// what the editor's own Save would write, or one file against another. Lines
// that match are paired up (the longest common run of lines), so that one
// line too many does not make every later line differ; the line ends (CR LF,
// a lone CR or LF, none at the end) count as well.

#include <string>
#include <string_view>
#include <vector>

namespace mc {

// What is wrong with a line of a file; line 0 stands for the file as a whole.
struct LineProblem {
    int line = 0;
    std::string text;  // Latin-1
    bool operator==(const LineProblem&) const = default;
};

struct LineDifference {
    enum class Kind {
        Changed,  // line `line` of the first text reads `first`, the second has `second` there
        Extra,    // line `line` of the first text has no counterpart in the second
        Missing,  // the second text has `second` where the first has nothing, before its line `line`
        LineEnd,  // lines `line` to `lastLine` read the same but end in `first`, not `second`
    };
    Kind kind;
    int line;      // from 1, in the first text
    int lastLine;  // the last line of a run of line ends; `line` otherwise
    std::string first, second;  // the lines, or the names of their ends ("CR LF", "LF", "CR", "no line end")
    bool operator==(const LineDifference&) const = default;
};

// Every place where `first` differs from `second`, in the order of the first
// text; nothing when the bytes are equal. Texts of many thousands of lines
// against each other are compared line by line in place.
std::vector<LineDifference> differingLines(std::string_view first, std::string_view second);

}  // namespace mc
