// rows(): a table as one call, Row(...) per case, which the formatter packs
// several to a line where a braced list would take one line each.
#pragma once

#include <utility>
#include <vector>

namespace curvalia::testing {

template <class Row, class... Rows> std::vector<Row> rows(Row first, Rows... rest) {
    return {std::move(first), Row(std::move(rest))...};
}

} // namespace curvalia::testing
