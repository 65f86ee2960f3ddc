#include "config/ConfigJson.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <initializer_list>

#include "app/TextUtil.h"

namespace orvane {
namespace {

template <class Json>
const Json* Find(const Json& object, std::string_view key) {
  if (!object.is_object()) return nullptr;
  const auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

template <class Json>
std::wstring StringOf(const Json& object, std::string_view key, const std::wstring& fallback) {
  const Json* value = Find(object, key);
  if (value == nullptr || !value->is_string()) return fallback;
  return Utf8ToWide(value->template get_ref<const std::string&>());
}

template <class Json>
bool BoolOf(const Json& object, std::string_view key, bool fallback) {
  const Json* value = Find(object, key);
  if (value == nullptr || !value->is_boolean()) return fallback;
  return value->template get<bool>();
}

template <class Json>
float NumberOf(const Json& object, std::string_view key, float fallback, float minimum, float maximum) {
  const Json* value = Find(object, key);
  if (value == nullptr || !value->is_number()) return fallback;
  // Clamp while still in double: narrowing 1e300 to float first would overflow.
  const double number = value->template get<double>();
  if (std::isnan(number)) return fallback;
  if (number < minimum) return minimum;
  return static_cast<float>(std::min(number, static_cast<double>(maximum)));
}

// Deepest '[' / '{' nesting outside strings, stopping once past the limit.
// A cheap guard so no parser or later walk ever meets absurd recursion.
bool NestingWithinLimit(std::string_view text) {
  size_t depth = 0;
  bool inString = false;
  bool escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxJsonDepth) return false;
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return true;
}

std::wstring OneOf(const std::wstring& text, std::initializer_list<const wchar_t*> allowed, const wchar_t* fallback) {
  for (const wchar_t* value : allowed) {
    if (text == value) return text;
  }
  return fallback;
}

// Clamped first, then cut toward zero.
std::int32_t WholeNumber(const nlohmann::json& object, std::string_view key, std::int32_t fallback,
                         std::int32_t minimum, std::int32_t maximum) {
  const float value =
      NumberOf(object, key, static_cast<float>(fallback), static_cast<float>(minimum), static_cast<float>(maximum));
  return static_cast<std::int32_t>(std::trunc(value));
}

std::vector<WidgetConfig> ReadWidgets(const nlohmann::json& root) {
  std::vector<WidgetConfig> widgets;
  const nlohmann::json* list = Find(root, "widgets");
  if (list != nullptr && list->is_array()) {
    for (const nlohmann::json& element : *list) {
      if (!element.is_object()) continue;
      WidgetConfig widget;
      widget.id = StringOf(element, "id", L"");
      widget.type = StringOf(element, "type", L"clock");
      widget.x = NumberOf(element, "x", 40.0f, 0.0f, 3840.0f);
      widget.y = NumberOf(element, "y", 56.0f, 0.0f, 2160.0f);
      widget.enabled = BoolOf(element, "enabled", true);
      if (!widget.id.empty()) widgets.push_back(std::move(widget));
    }
  }
  if (widgets.empty()) widgets = DefaultWidgets();
  return widgets;
}

std::vector<DockItemConfig> ReadPinned(const nlohmann::json& root, const PinProbe& probe) {
  std::vector<DockItemConfig> pinned;
  const nlohmann::json* list = Find(root, "pinned");
  if (list != nullptr && list->is_array()) {
    for (const nlohmann::json& element : *list) {
      if (!element.is_object()) continue;
      DockItemConfig item;
      item.target = StringOf(element, "target", L"");
      if (item.target.empty()) continue;
      item.name = StringOf(element, "name", item.target);
      item.args = StringOf(element, "args", L"");
      item.customIcon = StringOf(element, "customIcon", L"");
      pinned.push_back(std::move(item));
    }
  }
  // An empty dock is never kept: it comes back with the first-run items.
  if (pinned.empty()) pinned = FirstRunPinned(probe);
  return pinned;
}

DockConfig ReadConfig(const nlohmann::json& root, const PinProbe& probe) {
  DockConfig c;
  c.configVersion = WholeNumber(root, "configVersion", 3, 1, 100);
  c.iconSize = NumberOf(root, "iconSize", 48.0f, 28.0f, 96.0f);
  c.magnification = NumberOf(root, "magnification", 1.65f, 1.0f, 2.5f);
  c.sigmaIcons = NumberOf(root, "sigmaIcons", 1.45f, 0.8f, 3.0f);
  c.iconSpacing = NumberOf(root, "iconSpacing", 8.0f, 2.0f, 24.0f);
  c.paddingX = NumberOf(root, "paddingX", 12.0f, 4.0f, 32.0f);
  c.paddingY = NumberOf(root, "paddingY", 7.0f, 4.0f, 24.0f);
  c.bottomMargin = NumberOf(root, "bottomMargin", 10.0f, 0.0f, 64.0f);
  c.cornerRadius = NumberOf(root, "cornerRadius", 17.0f, 4.0f, 36.0f);
  c.blurRadius = NumberOf(root, "blurRadius", 22.0f, 6.0f, 44.0f);
  c.glassOpacity = NumberOf(root, "glassOpacity", 0.56f, 0.2f, 0.92f);
  c.springResponse = NumberOf(root, "springResponse", 0.2f, 0.06f, 0.6f);
  c.springDamping = NumberOf(root, "springDamping", 0.82f, 0.4f, 1.3f);
  c.separatorWidth = NumberOf(root, "separatorWidth", 14.0f, 8.0f, 28.0f);
  c.tooltipDelayMs = NumberOf(root, "tooltipDelayMs", 110.0f, 0.0f, 800.0f);
  c.hideRevealDelayMs = NumberOf(root, "hideRevealDelayMs", 120.0f, 0.0f, 1000.0f);
  c.dockPosition = OneOf(StringOf(root, "dockPosition", L"bottom"), {L"bottom", L"left", L"right"}, L"bottom");
  c.followMouseMonitor = BoolOf(root, "followMouseMonitor", false);
  c.taskbarMode = OneOf(StringOf(root, "taskbarMode", L"hide"), {L"keep", L"hide", L"appbar"}, L"hide");
  c.showLaunchpadIcon = BoolOf(root, "showLaunchpadIcon", true);
  c.showDockMusic = BoolOf(root, "showDockMusic", true);
  c.showDockTray = BoolOf(root, "showDockTray", true);
  c.showDockPower = BoolOf(root, "showDockPower", true);
  c.showRecycleBin = BoolOf(root, "showRecycleBin", true);
  c.showDownloadsStack = BoolOf(root, "showDownloadsStack", true);
  c.showRunningUnpinned = BoolOf(root, "showRunningUnpinned", true);
  c.enableBounce = BoolOf(root, "enableBounce", true);
  c.enableTooltip = BoolOf(root, "enableTooltip", true);
  c.enableWindowPreview = BoolOf(root, "enableWindowPreview", true);
  c.enableMinimizeAnim = BoolOf(root, "enableMinimizeAnim", true);
  c.smartHide = BoolOf(root, "smartHide", false);
  c.hideOnFullscreen = BoolOf(root, "hideOnFullscreen", true);
  c.stageManagerEnabled = BoolOf(root, "stageManagerEnabled", false);
  c.stageManagerAutoHide = BoolOf(root, "stageManagerAutoHide", true);
  c.stageManagerMaxGroups = WholeNumber(root, "stageManagerMaxGroups", 5, 3, 7);
  c.replaceAltTabWithStage = BoolOf(root, "replaceAltTabWithStage", false);
  c.stageSwitcherHotkey = OneOf(StringOf(root, "stageSwitcherHotkey", L"alt+tab"),
                                {L"alt+tab", L"ctrl+alt+tab", L"alt+q", L"ctrl+alt+s"}, L"alt+tab");
  c.menuBarEnabled = BoolOf(root, "menuBarEnabled", true);
  c.menuBarReserveTop = BoolOf(root, "menuBarReserveTop", false);
  c.showNotificationBanners = BoolOf(root, "showNotificationBanners", true);
  c.desktopWidgetsEnabled = BoolOf(root, "desktopWidgetsEnabled", false);
  c.weatherCity = StringOf(root, "weatherCity", L"");
  c.quickNote = StringOf(root, "quickNote", WelcomeNote());
  c.widgets = ReadWidgets(root);
  c.enableGlobalHotkeys = BoolOf(root, "enableGlobalHotkeys", true);
  c.enableHotCorners = BoolOf(root, "enableHotCorners", false);
  c.pinned = ReadPinned(root, probe);
  return c;
}

// A float widened to double. Whole values go in as integers so they print
// as "48" rather than "48.0"; both read back as the same number.
nlohmann::ordered_json Number(float value) {
  const double wide = value;
  if (std::trunc(wide) == wide && std::fabs(wide) < 9007199254740992.0) {
    return static_cast<std::int64_t>(wide);
  }
  return wide;
}

nlohmann::ordered_json Text(const std::wstring& text) { return WideToUtf8(text); }

}  // namespace

std::wstring JsonString(const nlohmann::json& object, std::string_view key, const std::wstring& fallback) {
  return StringOf(object, key, fallback);
}
std::wstring JsonString(const nlohmann::ordered_json& object, std::string_view key, const std::wstring& fallback) {
  return StringOf(object, key, fallback);
}
bool JsonBool(const nlohmann::json& object, std::string_view key, bool fallback) {
  return BoolOf(object, key, fallback);
}
bool JsonBool(const nlohmann::ordered_json& object, std::string_view key, bool fallback) {
  return BoolOf(object, key, fallback);
}
float JsonNumber(const nlohmann::json& object, std::string_view key, float fallback, float minimum, float maximum) {
  return NumberOf(object, key, fallback, minimum, maximum);
}
float JsonNumber(const nlohmann::ordered_json& object, std::string_view key, float fallback, float minimum,
                 float maximum) {
  return NumberOf(object, key, fallback, minimum, maximum);
}

nlohmann::json ParseJsonDocument(std::string_view bytes) {
  try {
    // The round trip turns every malformed UTF-8 sequence into U+FFFD, so a
    // stray byte in a note costs that character, not the whole file.
    const std::string text = WideToUtf8(Utf8ToWide(bytes));
    if (!NestingWithinLimit(text)) return nlohmann::json::value_t::discarded;
    return nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
  } catch (const std::exception&) {
    return nlohmann::json::value_t::discarded;  // out of memory on an absurd document: treated like any bad one
  }
}

std::optional<DockConfig> ParseConfig(std::string_view bytes, const PinProbe& probe) {
  try {
    const nlohmann::json root = ParseJsonDocument(bytes);
    if (!root.is_object()) return std::nullopt;
    return ReadConfig(root, probe);
  } catch (const std::exception&) {
    return std::nullopt;  // out of memory on an absurd file: treated like any bad file
  }
}

std::string SerializeConfig(const DockConfig& c) {
  nlohmann::ordered_json root = nlohmann::ordered_json::object();
  root["configVersion"] = 3;  // the format this build writes, whatever was read
  root["iconSize"] = Number(c.iconSize);
  root["magnification"] = Number(c.magnification);
  root["sigmaIcons"] = Number(c.sigmaIcons);
  root["iconSpacing"] = Number(c.iconSpacing);
  root["paddingX"] = Number(c.paddingX);
  root["paddingY"] = Number(c.paddingY);
  root["bottomMargin"] = Number(c.bottomMargin);
  root["cornerRadius"] = Number(c.cornerRadius);
  root["blurRadius"] = Number(c.blurRadius);
  root["glassOpacity"] = Number(c.glassOpacity);
  root["springResponse"] = Number(c.springResponse);
  root["springDamping"] = Number(c.springDamping);
  root["separatorWidth"] = Number(c.separatorWidth);
  root["tooltipDelayMs"] = Number(c.tooltipDelayMs);
  root["hideRevealDelayMs"] = Number(c.hideRevealDelayMs);
  root["dockPosition"] = Text(c.dockPosition);
  root["followMouseMonitor"] = c.followMouseMonitor;
  root["taskbarMode"] = Text(c.taskbarMode);
  root["showLaunchpadIcon"] = c.showLaunchpadIcon;
  root["showDockMusic"] = c.showDockMusic;
  root["showDockTray"] = c.showDockTray;
  root["showDockPower"] = c.showDockPower;
  root["showRecycleBin"] = c.showRecycleBin;
  root["showDownloadsStack"] = c.showDownloadsStack;
  root["showRunningUnpinned"] = c.showRunningUnpinned;
  root["enableBounce"] = c.enableBounce;
  root["enableTooltip"] = c.enableTooltip;
  root["enableWindowPreview"] = c.enableWindowPreview;
  root["enableMinimizeAnim"] = c.enableMinimizeAnim;
  root["smartHide"] = c.smartHide;
  root["hideOnFullscreen"] = c.hideOnFullscreen;
  root["stageManagerEnabled"] = c.stageManagerEnabled;
  root["stageManagerAutoHide"] = c.stageManagerAutoHide;
  root["stageManagerMaxGroups"] = c.stageManagerMaxGroups;
  root["replaceAltTabWithStage"] = c.replaceAltTabWithStage;
  root["stageSwitcherHotkey"] = Text(c.stageSwitcherHotkey);
  root["menuBarEnabled"] = c.menuBarEnabled;
  root["menuBarReserveTop"] = c.menuBarReserveTop;
  root["showNotificationBanners"] = c.showNotificationBanners;
  root["desktopWidgetsEnabled"] = c.desktopWidgetsEnabled;
  root["weatherCity"] = Text(c.weatherCity);
  root["quickNote"] = Text(c.quickNote);

  nlohmann::ordered_json widgets = nlohmann::ordered_json::array();
  for (const WidgetConfig& w : c.widgets) {
    nlohmann::ordered_json element = nlohmann::ordered_json::object();
    element["id"] = Text(w.id);
    element["type"] = Text(w.type);
    element["x"] = Number(w.x);
    element["y"] = Number(w.y);
    element["enabled"] = w.enabled;
    widgets.push_back(std::move(element));
  }
  root["widgets"] = std::move(widgets);

  root["enableGlobalHotkeys"] = c.enableGlobalHotkeys;
  root["enableHotCorners"] = c.enableHotCorners;

  nlohmann::ordered_json pinned = nlohmann::ordered_json::array();
  for (const DockItemConfig& item : c.pinned) {
    nlohmann::ordered_json element = nlohmann::ordered_json::object();
    element["name"] = Text(item.name);
    element["target"] = Text(item.target);
    if (!item.args.empty()) element["args"] = Text(item.args);
    if (!item.customIcon.empty()) element["customIcon"] = Text(item.customIcon);
    pinned.push_back(std::move(element));
  }
  root["pinned"] = std::move(pinned);

  // Non-finite floats print as null (read back as the default); strings are
  // valid UTF-8 already, "replace" only keeps dump() from ever throwing.
  return root.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace orvane
