#pragma once

#include "LineArena.h"

#include <compare>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace agendrix {

// The lines of a task store or of a read file, in order: a light range over their handles that
// makes each line's view as it is read, so that no vector of views is ever needed. The range, its
// iterators and the views are valid until the next change to the lines.
class TaskLines {
public:
    class Iterator {
    public:
        using iterator_concept = std::random_access_iterator_tag;
        // Reading gives a view by value, not a reference: to the older algorithms an input iterator.
        using iterator_category = std::input_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using reference = std::string_view;

        Iterator() = default;
        Iterator(const LineArena* arena, const LineHandle* at)
            : Arena(arena)
            , At(at)
        {
        }

        std::string_view operator*() const { return Arena->View(*At); }
        std::string_view operator[](difference_type n) const { return Arena->View(At[n]); }
        Iterator& operator++()
        {
            ++At;
            return *this;
        }
        Iterator operator++(int) { return { Arena, At++ }; }
        Iterator& operator--()
        {
            --At;
            return *this;
        }
        Iterator operator--(int) { return { Arena, At-- }; }
        Iterator& operator+=(difference_type n)
        {
            At += n;
            return *this;
        }
        Iterator& operator-=(difference_type n)
        {
            At -= n;
            return *this;
        }
        friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
        friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
        friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b) { return a.At - b.At; }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.At == b.At; }
        friend std::strong_ordering operator<=>(const Iterator& a, const Iterator& b)
        {
            return a.At <=> b.At;
        }

    private:
        const LineArena* Arena = nullptr;
        const LineHandle* At = nullptr;
    };

    TaskLines(const LineArena& arena, const LineHandle* handles, std::size_t count)
        : Arena(&arena)
        , Handles(handles)
        , Count(count)
    {
    }

    Iterator begin() const { return { Arena, Handles }; }
    Iterator end() const { return { Arena, Handles + Count }; }
    std::size_t size() const { return Count; }
    bool empty() const { return Count == 0; }
    std::string_view operator[](std::size_t index) const { return Arena->View(Handles[index]); }
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[Count - 1]; }

private:
    const LineArena* Arena;
    const LineHandle* Handles;
    std::size_t Count;
};

} // namespace agendrix
