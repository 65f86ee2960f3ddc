// fuzz-sources: src/config/ConfigJson.cpp src/config/ConfigDefaults.cpp src/app/Json.cpp src/app/TextUtil.cpp src/app/headless/EnvironmentPosix.cpp
// Any bytes may sit in config.json: hand edits, other tools, a disk that lost
// part of a write. Besides not crashing, a parsed file must hold every value
// in its range, and what is written back must read back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/ConfigJson.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

bool Within(float value, float minimum, float maximum) { return value >= minimum && value <= maximum; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  // A machine where nothing is installed: first-run pins come from the fixed fallback.
  const PinProbe probe{[](const std::wstring& text) { return text; }, [](const std::wstring&) { return false; }};
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  std::optional<DockConfig> config = ParseConfig(bytes, probe);
  if (!config) return 0;
  Require(config->configVersion >= 1 && config->configVersion <= 100);
  Require(Within(config->iconSize, 28, 96) && Within(config->magnification, 1, 2.5f));
  Require(Within(config->glassOpacity, 0.2f, 0.92f) && Within(config->hideRevealDelayMs, 0, 1000));
  Require(config->stageManagerMaxGroups >= 3 && config->stageManagerMaxGroups <= 7);
  Require(config->dockPosition == L"bottom" || config->dockPosition == L"left" || config->dockPosition == L"right");
  Require(!config->widgets.empty() && !config->pinned.empty());
  for (const WidgetConfig& widget : config->widgets) {
    Require(!widget.id.empty() && Within(widget.x, 0, 3840) && Within(widget.y, 0, 2160));
  }
  for (const DockItemConfig& item : config->pinned) Require(!item.target.empty());

  const std::optional<DockConfig> back = ParseConfig(SerializeConfig(*config), probe);
  config->configVersion = 3;  // the version every save writes
  Require(back.has_value() && *back == *config);
  return 0;
}
