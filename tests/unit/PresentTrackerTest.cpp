#include "render/PresentTracker.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

std::vector<std::uint8_t> Frame(int width, int height, std::uint8_t fill) {
  return std::vector<std::uint8_t>(static_cast<size_t>(width) * height * 4, fill);
}

FrameSignature Sign(int width, int height, std::uint8_t fill) {
  const auto pixels = Frame(width, height, fill);
  return SignFrame(width, height, pixels.data());
}

TEST(PresentTrackerTest, PresentsOnlyWhatChanged) {
  struct Step {
    const char* what;
    NativeWindow window;
    FrameSignature frame;
    bool presented;  // whether the presenter managed to hand it over
    bool expectNeeded;
  };
  const NativeWindow dock = 0x10, popup = 0x20;
  const Step steps[] = {
      {"first frame of a window", dock, Sign(4, 2, 0), true, true},
      {"same frame again", dock, Sign(4, 2, 0), true, false},
      {"one pixel changed", dock, Sign(4, 2, 9), true, true},
      {"resized, same fill", dock, Sign(2, 4, 9), true, true},
      {"another window is independent", popup, Sign(2, 4, 9), true, true},
      {"empty window is never presented", popup, Sign(0, 4, 9), true, false},
      {"present failed", dock, Sign(3, 3, 1), false, true},
      {"so it is tried again", dock, Sign(3, 3, 1), true, true},
      {"then settles", dock, Sign(3, 3, 1), true, false},
  };
  PresentTracker tracker;
  for (const auto& step : steps) {
    const bool needed = tracker.NeedsPresent(step.window, step.frame);
    EXPECT_EQ(needed, step.expectNeeded) << step.what;
    if (needed && step.presented) tracker.Presented(step.window, step.frame);
  }
}

TEST(PresentTrackerTest, ForgottenWindowStartsOver) {
  PresentTracker tracker;
  const auto frame = Sign(8, 8, 3);
  tracker.Presented(0x10, frame);
  ASSERT_FALSE(tracker.NeedsPresent(0x10, frame));
  tracker.Forget(0x10);
  EXPECT_TRUE(tracker.NeedsPresent(0x10, frame));
}

TEST(PresentTrackerTest, SignatureSeesEveryByteAndTheShape) {
  auto pixels = Frame(3, 2, 0);
  const auto base = SignFrame(3, 2, pixels.data());
  pixels.back() = 1;  // the last alpha byte
  EXPECT_NE(SignFrame(3, 2, pixels.data()), base);
  pixels.back() = 0;
  EXPECT_EQ(SignFrame(3, 2, pixels.data()), base);
  // Same bytes, different shape.
  EXPECT_NE(SignFrame(2, 3, pixels.data()), base);
}

}  // namespace
}  // namespace orvane
