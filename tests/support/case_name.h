// Helpers for case tables: names for parameterised cases that read as the
// case ("Values/2_3_4_2_at_x_0"), and rows() for plain tables.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace curvalia::testing {

// gtest allows only letters, digits and underscores in names.
inline std::string identifierOf(const std::string& text) {
    std::string name;
    for (const char ch : text) {
        if (std::isalnum(static_cast<unsigned char>(ch)))
            name += ch;
        else if (ch == '-')
            name += "minus";
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name.empty() ? "empty" : name;
}

// For INSTANTIATE_TEST_SUITE_P: the case's PrintTo text as a name; of two
// that reduce alike ("(-x)^2", "(-x^2)") the later one gets its index.
// gtest names one instantiation's cases in order, from index 0.
struct CaseName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& test) const {
        static std::set<std::string> seen;
        if (test.index == 0)
            seen.clear();
        std::string name = identifierOf(::testing::PrintToString(test.param));
        if (!seen.insert(name).second) {
            name += "_" + std::to_string(test.index);
            seen.insert(name);
        }
        return name;
    }
};

// A table as one call, Row(...) per case, which the formatter packs
// several to a line where a braced list would take one line each.
template <class Row, class... Rows> std::vector<Row> rows(Row first, Rows... rest) {
    return {std::move(first), Row(std::move(rest))...};
}

} // namespace curvalia::testing
