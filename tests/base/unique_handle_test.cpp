#include "base/unique_handle.h"

#include <gtest/gtest.h>

#include <vector>

namespace zorva {
namespace {

std::vector<int> closed;
struct RecordClose {
  static void Close(int handle) { closed.push_back(handle); }
};
using Owned = unique_handle<int, RecordClose, 0>;

TEST(UniqueHandle, ReleasesEachHandleExactlyOnceOnEveryPath) {
  closed.clear();
  {
    Owned a(1);
    Owned b(std::move(a));
    EXPECT_FALSE(a);
    Owned c(2);
    c = std::move(b);  // closes 2, now owns 1
    Owned d(3);
    d.reset(4);  // closes 3
    EXPECT_EQ(d.release(), 4);
  }
  EXPECT_EQ(closed, (std::vector<int>{2, 3, 1}));
}

// A kind whose empty value is not zero, as a file handle's is not: zero is
// then a handle like any other.
struct RecordCloseEmptyMinusOne : RecordClose {
  static int Empty() noexcept { return -1; }
};

TEST(UniqueHandle, TakesItsEmptyValueFromTheDeleterWhereItNamesOne) {
  closed.clear();
  {
    unique_handle<int, RecordCloseEmptyMinusOne> none;
    EXPECT_FALSE(none);
    EXPECT_EQ(none.get(), -1);
    unique_handle<int, RecordCloseEmptyMinusOne> zero(0);
    EXPECT_TRUE(zero);
  }
  EXPECT_EQ(closed, (std::vector<int>{0}));
}

}  // namespace
}  // namespace zorva
