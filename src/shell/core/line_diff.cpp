#include "shell/core/line_diff.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

namespace mc {
namespace {

struct Line {
    std::string_view text;
    std::string_view end;  // "\r\n", "\r", "\n" or "" for a last line without one
};

std::vector<Line> linesOf(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        const std::size_t endLength = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
        lines.push_back({bytes.substr(start, i - start), bytes.substr(i, endLength)});
        i += endLength - 1;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back({bytes.substr(start), {}});
    return lines;
}

std::string endName(std::string_view end) {
    if (end == "\r\n") return "CR LF";
    if (end == "\r") return "CR";
    if (end == "\n") return "LF";
    return "no line end";
}

// Above this many line pairs the texts are compared line by line in place: a
// macro file has a few hundred lines, and the table would cost too much memory.
constexpr std::size_t MaxTableCells = 4'000'000;

// The pairs of lines (index in first, index in second) that the longest
// common run of equal texts matches, in order.
std::vector<std::pair<std::size_t, std::size_t>> matchedLines(const std::vector<Line>& a, const std::vector<Line>& b) {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    const std::size_t n = a.size(), m = b.size();
    if (n == 0 || m == 0 || (n + 1) * (m + 1) > MaxTableCells) return pairs;
    // common[i * (m + 1) + j]: the longest common run of a[i..] and b[j..].
    std::vector<std::uint32_t> common((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t& { return common[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            at(i, j) = a[i].text == b[j].text ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (a[i].text == b[j].text) pairs.emplace_back(i++, j++);
        else if (at(i + 1, j) >= at(i, j + 1)) ++i;
        else ++j;
    }
    return pairs;
}

class Collector {
public:
    std::vector<LineDifference> differences;

    void pair(int line, const Line& x, const Line& y) {
        if (x.text != y.text) {
            differences.push_back({LineDifference::Kind::Changed, line, line, std::string(x.text), std::string(y.text)});
        } else if (x.end != y.end) {
            const std::string first = endName(x.end), second = endName(y.end);
            LineDifference* last = differences.empty() ? nullptr : &differences.back();
            if (last && last->kind == LineDifference::Kind::LineEnd && last->lastLine + 1 == line &&
                last->first == first && last->second == second)
                last->lastLine = line;
            else
                differences.push_back({LineDifference::Kind::LineEnd, line, line, first, second});
        }
    }
    // Lines [a, aEnd) of the first text and [b, bEnd) of the second that no match pairs up.
    void gap(const std::vector<Line>& first, std::size_t a, std::size_t aEnd, const std::vector<Line>& second,
             std::size_t b, std::size_t bEnd) {
        for (; a < aEnd && b < bEnd; ++a, ++b) pair(static_cast<int>(a) + 1, first[a], second[b]);
        for (; a < aEnd; ++a)
            differences.push_back({LineDifference::Kind::Extra, static_cast<int>(a) + 1, static_cast<int>(a) + 1,
                                   std::string(first[a].text), {}});
        for (; b < bEnd; ++b)
            differences.push_back({LineDifference::Kind::Missing, static_cast<int>(aEnd) + 1,
                                   static_cast<int>(aEnd) + 1, {}, std::string(second[b].text)});
    }
};

}  // namespace

std::vector<LineDifference> differingLines(std::string_view first, std::string_view second) {
    if (first == second) return {};
    const std::vector<Line> a = linesOf(first), b = linesOf(second);
    Collector collect;
    std::size_t i = 0, j = 0;
    for (const auto& [mi, mj] : matchedLines(a, b)) {
        collect.gap(a, i, mi, b, j, mj);
        collect.pair(static_cast<int>(mi) + 1, a[mi], b[mj]);
        i = mi + 1;
        j = mj + 1;
    }
    collect.gap(a, i, a.size(), b, j, b.size());
    return std::move(collect.differences);
}

}  // namespace mc
