#pragma once
// Fixed-size tables indexed from 1, as the macros number their records.

#include <array>
#include <cstddef>
#include <stdexcept>

namespace mc {

template <typename T, std::size_t N>
class Table {
public:
    static constexpr int size = static_cast<int>(N);

    T& operator[](int index) { return items_.at(slot(index)); }
    const T& operator[](int index) const { return items_.at(slot(index)); }

    void fill(const T& value) { items_.fill(value); }
    bool operator==(const Table&) const = default;

private:
    static std::size_t slot(int index) {
        if (index < 1 || index > size) throw std::out_of_range("table index outside 1..N");
        return static_cast<std::size_t>(index - 1);
    }
    std::array<T, N> items_{};
};

}  // namespace mc
