#pragma once
// Tables of the data model keep the fixed bounds that the data files rely on.
// Every dimension runs from 0 to its upper bound inclusive; an index outside
// is reported (platform/bounds.h) and lands on a scratch element instead.
#include "platform/bounds.h"

#include <array>
#include <cstddef>
#include <vector>

template <typename T, long... Upper>
class FixedArray {
    static_assert(sizeof...(Upper) >= 1, "a table has at least one dimension");
    static constexpr std::array<long, sizeof...(Upper)> kUpper{Upper...};
    static constexpr std::size_t kSize = ((Upper + 1) * ...);

public:
    static constexpr std::size_t kRank = sizeof...(Upper);

    FixedArray() : m_items(kSize + 1) {}

    template <typename... I>
    T& operator()(I... index)
    {
        static_assert(sizeof...(I) == kRank, "wrong number of indices");
        return m_items[offset({static_cast<long>(index)...})];
    }
    template <typename... I>
    const T& operator()(I... index) const
    {
        static_assert(sizeof...(I) == kRank, "wrong number of indices");
        return m_items[offset({static_cast<long>(index)...})];
    }

    // Upper bound of dimension d (0-based), like UBound.
    static constexpr long upper(std::size_t d = 0) { return kUpper[d]; }
    static constexpr bool inBounds(long index, std::size_t d = 0) { return index >= 0 && index <= kUpper[d]; }

    void fill(const T& value)
    {
        for (std::size_t i = 0; i < kSize; ++i)
            m_items[i] = value;
    }

private:
    std::size_t offset(const std::array<long, kRank>& index) const
    {
        std::size_t at = 0;
        for (std::size_t d = 0; d < kRank; ++d) {
            if (index[d] < 0 || index[d] > kUpper[d]) {
                bounds::report("a fixed table", index[d], kUpper[d]);
                m_items[kSize] = T{};
                return kSize;
            }
            at = at * static_cast<std::size_t>(kUpper[d] + 1) + static_cast<std::size_t>(index[d]);
        }
        return at;
    }

    // One element past the table is the scratch element for bad indices.
    mutable std::vector<T> m_items;
};
