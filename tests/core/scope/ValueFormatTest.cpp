#include <gtest/gtest.h>

#include "scope/ValueFormat.h"

namespace tevra {
namespace {

TEST(ValueFormatTest, Patterns) {
    struct Case {
        double value;
        int minDecimals;
        int maxDecimals;
        const char* text;
    } cases[] = {
        {10.0, 1, 1, "10.0"},       {-2.04, 1, 1, "-2.0"},
        {0.05, 1, 1, "0.1"},        {-0.04, 1, 1, "0.0"},
        {0.125, 2, 2, "0.13"},      {0.995, 2, 2, "1.00"},
        {1234.5, 2, 2, "1234.50"},  {0.1, 0, 4, "0.1"},
        {1.0 / 3, 0, 4, "0.3333"},  {2.0, 0, 4, "2"},
        {-0.25, 0, 6, "-0.25"},     {1e-7, 0, 6, "0"},
        {32767.5, 0, 6, "32767.5"}, {4294967295.0, 0, 6, "4294967295"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatDecimal(c.value, c.minDecimals, c.maxDecimals).toStdString(), c.text)
            << c.value;
    }
}

}  // namespace
}  // namespace tevra
