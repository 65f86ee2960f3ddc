#pragma once
// config.json <-> DockConfig.

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "app/Json.h"
#include "config/ConfigDefaults.h"
#include "config/DockConfig.h"

namespace orvane {

// Reads a whole config.json. nullopt when the bytes are not one JSON object
// (empty, truncated, a top-level array, nested too deeply); never throws.
// Invalid UTF-8 is read as U+FFFD. An empty pinned list is refilled through
// the probe, the way a first start fills it.
std::optional<DockConfig> ParseConfig(std::string_view bytes, const PinProbe& probe);

// The compact UTF-8 document, keys in their fixed order, no byte-order mark.
std::string SerializeConfig(const DockConfig& config);

}  // namespace orvane
