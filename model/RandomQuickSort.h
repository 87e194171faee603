#pragma once

// The quicksort that puts terms (and operands) into canonical order. Its pivot is drawn from the
// engine's random generator (EngineRandom), so elements that compare equal may come out in a
// different order from one solve to the next; everything else is fixed by the order.
//
// `before(a, b)` is a strict order: a must stand before b. A segment of two elements is swapped
// when out of order; a segment of three takes its first element as the pivot; a longer one takes
// the median of three positions drawn at random, each (count - 1) * random / 32767. Elements that
// must stand before the pivot go in front of it, the rest behind it, and both sides are sorted the
// same way. The smaller side is sorted first by recursion and the larger one in the loop, so the
// depth of recursion stays logarithmic.

#include "model/EngineRandom.h"

#include <cstddef>
#include <utility>
#include <vector>

template <class T, class Before>
void RandomQuickSort(std::vector<T>& items, Before before, std::size_t low, std::size_t high) {
    while (high - low > 1) {
        const std::size_t count = high - low;
        if (count == 2) {
            if (before(items[low + 1], items[low])) {
                std::swap(items[low], items[low + 1]);
            }
            return;
        }
        std::size_t pivot = low;
        if (count > 3) {
            const int n = static_cast<int>(count);
            std::size_t a = low + static_cast<std::size_t>(EngineRandom::DrawPosition(n));
            std::size_t b = low + static_cast<std::size_t>(EngineRandom::DrawPosition(n));
            std::size_t c = low + static_cast<std::size_t>(EngineRandom::DrawPosition(n));
            // The median of the three draws.
            if (before(items[b], items[a])) {
                std::swap(a, b);
            }
            if (before(items[c], items[b])) {
                b = before(items[c], items[a]) ? a : c;
            }
            pivot = b;
        }
        std::swap(items[low], items[pivot]);
        std::size_t boundary = low;
        for (std::size_t i = low + 1; i < high; ++i) {
            if (before(items[i], items[low])) {
                ++boundary;
                std::swap(items[boundary], items[i]);
            }
        }
        std::swap(items[low], items[boundary]);
        // items[low .. boundary) before the pivot, items[boundary + 1 .. high) not.
        if (boundary - low < high - boundary - 1) {
            RandomQuickSort(items, before, low, boundary);
            low = boundary + 1;
        } else {
            RandomQuickSort(items, before, boundary + 1, high);
            high = boundary;
        }
    }
}

// Sorts the whole vector; returns whether the order changed, that is whether some element stood
// after an element it must precede (elements that compare equal do not count).
template <class T, class Before> bool RandomQuickSort(std::vector<T>& items, Before before) {
    bool unordered = false;
    for (std::size_t i = 1; i < items.size() && !unordered; ++i) {
        unordered = before(items[i], items[i - 1]);
    }
    if (unordered) {
        RandomQuickSort(items, before, 0, items.size());
    }
    return unordered;
}
