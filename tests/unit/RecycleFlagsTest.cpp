#include <gtest/gtest.h>

#include "system/RecycleFlags.h"

namespace orvane {
namespace {

// Without the nuke warning a file too large for the recycle bin, or on a
// network or removable drive, would be deleted for good without a question.
TEST(RecycleFlags, AsksBeforeDeletingForGood) {
  EXPECT_EQ(kRecycleDroppedFilesFlags & kFileOpWantNukeWarning, kFileOpWantNukeWarning);
  EXPECT_EQ(kRecycleDroppedFilesFlags & kFileOpRecycleOnDelete, kFileOpRecycleOnDelete);
  // The quiet recycle with undo, plus the warning.
  EXPECT_EQ(kRecycleDroppedFilesFlags, 0x80050u | 0x4000u);
}

}  // namespace
}  // namespace orvane
