#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProcName.h"
#include "platform/UniqueHandle.h"

namespace orvane {
namespace {

// Handles are small integers; -1 is "none" and every close is recorded.
struct RecordingTraits {
  using Handle = int;
  static inline std::vector<int> closed;
  static Handle Invalid() noexcept { return -1; }
  static void Close(Handle handle) noexcept { closed.push_back(handle); }
};
using RecordedHandle = UniqueHandle<RecordingTraits>;

TEST(UniqueHandleTest, EveryHandleIsClosedExactlyOnce) {
  RecordingTraits::closed.clear();
  {
    RecordedHandle none;
    EXPECT_FALSE(none);
    RecordedHandle a(0);  // zero is a real handle for these traits
    EXPECT_TRUE(a);
    RecordedHandle b(std::move(a));
    EXPECT_FALSE(a);
    RecordedHandle c(5);
    c = std::move(b);  // closes 5, takes 0
    *c.Put() = 7;      // Put closes 0 first
    RecordedHandle d(9);
    EXPECT_EQ(d.Release(), 9);  // given away, not closed
    RecordedHandle e(3);
    e.Reset(3);  // resetting to the same handle must not close it under the owner
  }
  EXPECT_EQ(RecordingTraits::closed, (std::vector<int>{5, 0, 3, 7}));
}

TEST(ProcNameTest, NamesAndOrdinals) {
  struct Case {
    ProcName name;
    bool valid;
    const char* described;
  };
  const Case cases[] = {
      {ProcName("DCompositionWaitForCompositorClock"), true, "DCompositionWaitForCompositorClock"},
      {ProcName::Ordinal(727), true, "#727"},
      {ProcName::Ordinal(1), true, "#1"},
      {ProcName::Ordinal(65535), true, "#65535"},
      {ProcName::Ordinal(0), false, "#0"},        // not an ordinal the loader accepts
      {ProcName::Ordinal(65536), false, "#65536"}, // would be read as a pointer to a name
      {ProcName(""), false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.name.Valid(), c.valid) << c.described;
    EXPECT_EQ(c.name.Describe(), c.described);
  }
  EXPECT_FALSE(ProcName(nullptr).Valid());
}

}  // namespace
}  // namespace orvane
