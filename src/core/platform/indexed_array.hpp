#pragma once
// Fixed arrays indexed the way the data numbers things: 1-based (horse slots, races, data
// kinds, meeting slots) or by an enum, so that no array carries an unused [0] entry and no
// caller casts an index.
#include <array>
#include <cstddef>
#include <stdexcept>

namespace orvikel {

// Entries 1..N.
template <class T, std::size_t N>
class OneBased {
  public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = static_cast<int>(N);

    // Every entry value-initialised (0, false, empty). Said in a constructor, not as a default
    // member initialiser: clang 14 crashes compiling a local OneBased of string arrays whose
    // entries come from "items_{}".
    constexpr OneBased() : items_() {}

    constexpr T& operator[](int i) { return items_[Index(i)]; }
    constexpr const T& operator[](int i) const { return items_[Index(i)]; }
    // Throws std::out_of_range outside 1..N.
    T& at(int i) { return items_.at(Checked(i)); }
    const T& at(int i) const { return items_.at(Checked(i)); }

    void fill(const T& value) { items_.fill(value); }
    constexpr auto begin() { return items_.begin(); }
    constexpr auto end() { return items_.end(); }
    constexpr auto begin() const { return items_.begin(); }
    constexpr auto end() const { return items_.end(); }
    static constexpr std::size_t size() { return N; }

    friend bool operator==(const OneBased&, const OneBased&) = default;

  private:
    static constexpr std::size_t Index(int i) { return static_cast<std::size_t>(i - 1); }
    static std::size_t Checked(int i) {
        if (i < 1 || i > kLast) {
            throw std::out_of_range("index outside 1..N");
        }
        return Index(i);
    }
    std::array<T, N> items_;
};

// One entry per enum value First..First+N-1.
template <class Enum, class T, std::size_t N, Enum First = Enum{}>
class ByEnum {
  public:
    constexpr T& operator[](Enum e) { return items_[Index(e)]; }
    constexpr const T& operator[](Enum e) const { return items_[Index(e)]; }

    void fill(const T& value) { items_.fill(value); }
    constexpr auto begin() { return items_.begin(); }
    constexpr auto end() { return items_.end(); }
    constexpr auto begin() const { return items_.begin(); }
    constexpr auto end() const { return items_.end(); }
    static constexpr std::size_t size() { return N; }

    friend bool operator==(const ByEnum&, const ByEnum&) = default;

  private:
    static constexpr std::size_t Index(Enum e) {
        return static_cast<std::size_t>(static_cast<int>(e) - static_cast<int>(First));
    }
    std::array<T, N> items_{};
};

}  // namespace orvikel
