#pragma once
// A dock's picture state on the software compositor with one item to draw into.

#include <gtest/gtest.h>

#include "dock/DockPictures.h"
#include "render/SoftCompositor.h"

namespace orvane::testing {

class DockPictureFixture : public ::testing::Test {
 protected:
  DockPictureFixture() { pictures.CreateSharedSprites(compositor, 1, MakeTheme(false, true)); }

  BitmapView Picture() const { return SoftCompositor::SurfacePixels(*item.surface); }

  SoftCompositor compositor;
  DockPictures pictures;
  ItemPicture item{nullptr, compositor.CreateSurfaceBrush(nullptr)};
  PictureSettings settings{48, 1.8f, 1, L"bottom"};
};

}  // namespace orvane::testing
