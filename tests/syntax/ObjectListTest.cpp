#include "engine/syntax/ObjectList.h"

#include <gtest/gtest.h>

#include "engine/syntax/SyntaxErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

TEST(ObjectList, FirstMatchingIdAndErrors) {
    TkpPDFNullObject a, b, c;
    TkpObjectList list;
    EXPECT_EQ(list.Add(5, &a), 0);
    EXPECT_EQ(list.Add(7, &b), 1);
    EXPECT_EQ(list.Add(5, &c), 2);
    EXPECT_EQ(list.IndexOf(5), 0);
    EXPECT_EQ(list.IndexOf(7), 1);
    EXPECT_EQ(list.IndexOf(9), -1);
    EXPECT_EQ(list.Items(2), &c);
    list.Insert(0, 9, &c);
    EXPECT_EQ(list.IndexOf(5), 1);
    EXPECT_ERROR(list.Add(-1, &a), syntax::EInvalidID, "Invalid unique ID (-1)");
    EXPECT_ERROR(list.Items(4), pw::Exception, "List index out of bounds (4)");
    EXPECT_ERROR(list.Items(-1), pw::Exception, "List index out of bounds (-1)");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_TRUE(a.IsNull()) << "clearing leaves the objects alive";
}

TEST(ObjectList, GrowthRule) {
    TkpPDFNullObject object;
    TkpObjectList list;
    // Capacity after each addition: 4 steps of 4 up to 8, then 16 up to 64, then a quarter.
    const std::pair<int, int> expected[] = {{1, 4}, {5, 8}, {9, 12}, {13, 28}, {29, 44}, {45, 60}, {61, 76}, {77, 95}};
    int added = 0;
    for (const auto& [count, capacity] : expected) {
        while (added < count) list.Add(added++, &object);
        EXPECT_EQ(list.Capacity(), capacity) << "after " << count << " additions";
    }
}

}  // namespace
}  // namespace kp
