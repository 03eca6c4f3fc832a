// Walking a numbered list of the description: entries 1 to the count, in
// ascending order. An entry that is not in the file can only read as empty
// and then does nothing, so only the entries present are visited: a count
// far above them costs no more than the entries themselves.
#pragma once

#include <vector>

namespace description {

template <typename Visit>
void WalkNumberedList(int count, const std::vector<int>& present, Visit visit) {
    for (int n : present) {
        if (n > count) break;
        visit(n);
    }
}

}  // namespace description
