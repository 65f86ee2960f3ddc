#pragma once
// What a dock item is. The values are stable: menus, tests and the command
// message refer to items by kind.

#include <cstdint>

namespace orvane {

enum class DockItemKind : std::int32_t {
  LauncherButton = 0,
  Pinned = 1,
  Separator = 2,
  Running = 3,          // running, not pinned
  MinimisedWindow = 4,
  Music = 5,
  DownloadsStack = 6,
  NotificationArea = 7,
  Power = 8,
  RecycleBin = 9,
};

}  // namespace orvane
