// Walking a numbered list of the description: entries 1 to the count, in
// ascending order. Entries numbered above the last one present can only
// read as empty, so the walk ends there: a count far above the entries
// present costs no more than the entries themselves.
#pragma once

#include <algorithm>

namespace description {

template <typename Visit>
void WalkNumberedList(int count, int last_present, Visit visit) {
    const int end = std::min(count, last_present);
    for (int n = 1; n <= end; ++n) visit(n);
}

}  // namespace description
