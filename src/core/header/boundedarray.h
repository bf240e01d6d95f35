// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <array>

namespace kivo {

// A fixed array indexed from Low to High, so that code says Runs[1] for run 1 as the header
// file does ("RunNo1"), and Tracks[0] for section "Track0".
template <typename T, int Low, int High> class BoundedArray {
public:
    static constexpr int low() { return Low; }
    static constexpr int high() { return High; }
    static constexpr int size() { return High - Low + 1; }

    T &operator[](int i)
    {
        Q_ASSERT(i >= Low && i <= High);
        return m_items[static_cast<size_t>(i - Low)];
    }
    const T &operator[](int i) const
    {
        Q_ASSERT(i >= Low && i <= High);
        return m_items[static_cast<size_t>(i - Low)];
    }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::array<T, static_cast<size_t>(High - Low + 1)> m_items{};
};

} // namespace kivo
