#include "shell/core/go_to.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace mc {

std::optional<int> recordNamed(const std::string& typed, int last, int named, int current,
                               const std::function<std::string(int)>& nameOf) {
    if (typed.empty()) return std::nullopt;
    if (std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int number = 0;
        const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), number);
        if (error != std::errc{} || end != typed.data() + typed.size() || number < 1 || number > last)
            return std::nullopt;
        return number;
    }
    auto folded = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    };
    const std::string prefix = folded(typed);
    for (int step = 1; step <= named; ++step) {
        const int record = (current - 1 + step) % named + 1;
        if (folded(nameOf(record)).starts_with(prefix)) return record;
    }
    return std::nullopt;
}

}  // namespace mc
