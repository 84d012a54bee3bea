// Numbers counted from 1 that must not be mixed up: a grid's number, a
// section's, a file's row. Each kind is its own type, made from an int only
// on purpose, so that a section cannot be passed where a row is meant, and
// arrays indexed by one of them are indexed by `index()`, never by `n - 1`
// written out again.
#pragma once

#include <cstddef>
// Qt's moc reads the window headers that include this one, and cannot parse
// what <compare> brings in; it needs none of it.
#ifndef Q_MOC_RUN
#include <compare>
#include <ostream>
#endif

namespace dravik {

template <typename Kind>
class Numbered {
public:
    constexpr explicit Numbered(int number) : number_(number) {}
    // The number as the user sees it (and as the files and messages spell it).
    constexpr int number() const { return number_; }
    // Where it stands in an array of all of its kind, which starts at 1.
    constexpr std::size_t index() const { return static_cast<std::size_t>(number_ - 1); }
    constexpr Numbered next() const { return Numbered(number_ + 1); }
    friend constexpr auto operator<=>(Numbered, Numbered) = default;
    // Written as the number, in messages and test failures.
    friend std::ostream& operator<<(std::ostream& out, Numbered n) { return out << n.number_; }

    // Numbers `first` to `last`, for a range-for.
    class Range {
    public:
        class Iterator {
        public:
            using value_type = Numbered;
            using difference_type = std::ptrdiff_t;
            constexpr Iterator() = default;
            constexpr explicit Iterator(int number) : number_(number) {}
            constexpr Numbered operator*() const { return Numbered(number_); }
            constexpr Iterator& operator++()
            {
                ++number_;
                return *this;
            }
            constexpr Iterator operator++(int)
            {
                Iterator before = *this;
                ++number_;
                return before;
            }
            friend constexpr bool operator==(Iterator a, Iterator b) { return a.number_ == b.number_; }

        private:
            int number_ = 0;
        };
        constexpr Range(Numbered first, Numbered last) : first_(first.number()), last_(last.number()) {}
        constexpr Iterator begin() const { return Iterator(first_); }
        constexpr Iterator end() const { return Iterator(last_ < first_ ? first_ : last_ + 1); }

    private:
        int first_;
        int last_;
    };

private:
    int number_;
};

}  // namespace dravik
