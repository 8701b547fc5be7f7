#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace quarvel::test {

// Names each case of a parameterised suite after its name field, so that CTest's lines say
// what each case tests.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        return std::string(info.param.name);
    }
};

// Prints a case as its name in GoogleTest's messages instead of a dump of its bytes. A test
// file brings it into the namespace of its cases with "using test::PrintTo;".
template <typename Case>
    requires requires(const Case& c) { std::string(c.name); }
void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

} // namespace quarvel::test
