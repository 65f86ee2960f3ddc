#include "config/ConfigJson.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <initializer_list>

#include "app/TextUtil.h"

namespace orvane {
namespace {

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
      JsonNumber(object, key, static_cast<float>(fallback), static_cast<float>(minimum), static_cast<float>(maximum));
  return static_cast<std::int32_t>(std::trunc(value));
}

std::vector<WidgetConfig> ReadWidgets(const nlohmann::json& root) {
  std::vector<WidgetConfig> widgets;
  const nlohmann::json* list = JsonMember(root, "widgets");
  if (list != nullptr && list->is_array()) {
    for (const nlohmann::json& element : *list) {
      if (!element.is_object()) continue;
      WidgetConfig widget;
      widget.id = JsonString(element, "id", L"");
      widget.type = JsonString(element, "type", L"clock");
      widget.x = JsonNumber(element, "x", 40.0f, 0.0f, 3840.0f);
      widget.y = JsonNumber(element, "y", 56.0f, 0.0f, 2160.0f);
      widget.enabled = JsonBool(element, "enabled", true);
      if (!widget.id.empty()) widgets.push_back(std::move(widget));
    }
  }
  if (widgets.empty()) widgets = DefaultWidgets();
  return widgets;
}

std::vector<DockItemConfig> ReadPinned(const nlohmann::json& root, const PinProbe& probe) {
  std::vector<DockItemConfig> pinned;
  const nlohmann::json* list = JsonMember(root, "pinned");
  if (list != nullptr && list->is_array()) {
    for (const nlohmann::json& element : *list) {
      if (!element.is_object()) continue;
      DockItemConfig item;
      item.target = JsonString(element, "target", L"");
      if (item.target.empty()) continue;
      item.name = JsonString(element, "name", item.target);
      item.args = JsonString(element, "args", L"");
      item.customIcon = JsonString(element, "customIcon", L"");
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
  c.iconSize = JsonNumber(root, "iconSize", 48.0f, 28.0f, 96.0f);
  c.magnification = JsonNumber(root, "magnification", 1.65f, 1.0f, 2.5f);
  c.sigmaIcons = JsonNumber(root, "sigmaIcons", 1.45f, 0.8f, 3.0f);
  c.iconSpacing = JsonNumber(root, "iconSpacing", 8.0f, 2.0f, 24.0f);
  c.paddingX = JsonNumber(root, "paddingX", 12.0f, 4.0f, 32.0f);
  c.paddingY = JsonNumber(root, "paddingY", 7.0f, 4.0f, 24.0f);
  c.bottomMargin = JsonNumber(root, "bottomMargin", 10.0f, 0.0f, 64.0f);
  c.cornerRadius = JsonNumber(root, "cornerRadius", 17.0f, 4.0f, 36.0f);
  c.blurRadius = JsonNumber(root, "blurRadius", 22.0f, 6.0f, 44.0f);
  c.glassOpacity = JsonNumber(root, "glassOpacity", 0.56f, 0.2f, 0.92f);
  c.springResponse = JsonNumber(root, "springResponse", 0.2f, 0.06f, 0.6f);
  c.springDamping = JsonNumber(root, "springDamping", 0.82f, 0.4f, 1.3f);
  c.separatorWidth = JsonNumber(root, "separatorWidth", 14.0f, 8.0f, 28.0f);
  c.tooltipDelayMs = JsonNumber(root, "tooltipDelayMs", 110.0f, 0.0f, 800.0f);
  c.hideRevealDelayMs = JsonNumber(root, "hideRevealDelayMs", 120.0f, 0.0f, 1000.0f);
  c.dockPosition = OneOf(JsonString(root, "dockPosition", L"bottom"), {L"bottom", L"left", L"right"}, L"bottom");
  c.followMouseMonitor = JsonBool(root, "followMouseMonitor", false);
  c.taskbarMode = OneOf(JsonString(root, "taskbarMode", L"hide"), {L"keep", L"hide", L"appbar"}, L"hide");
  c.showLaunchpadIcon = JsonBool(root, "showLaunchpadIcon", true);
  c.showDockMusic = JsonBool(root, "showDockMusic", true);
  c.showDockTray = JsonBool(root, "showDockTray", true);
  c.showDockPower = JsonBool(root, "showDockPower", true);
  c.showRecycleBin = JsonBool(root, "showRecycleBin", true);
  c.showDownloadsStack = JsonBool(root, "showDownloadsStack", true);
  c.showRunningUnpinned = JsonBool(root, "showRunningUnpinned", true);
  c.enableBounce = JsonBool(root, "enableBounce", true);
  c.enableTooltip = JsonBool(root, "enableTooltip", true);
  c.enableWindowPreview = JsonBool(root, "enableWindowPreview", true);
  c.enableMinimizeAnim = JsonBool(root, "enableMinimizeAnim", true);
  c.smartHide = JsonBool(root, "smartHide", false);
  c.hideOnFullscreen = JsonBool(root, "hideOnFullscreen", true);
  c.stageManagerEnabled = JsonBool(root, "stageManagerEnabled", false);
  c.stageManagerAutoHide = JsonBool(root, "stageManagerAutoHide", true);
  c.stageManagerMaxGroups = WholeNumber(root, "stageManagerMaxGroups", 5, 3, 7);
  c.replaceAltTabWithStage = JsonBool(root, "replaceAltTabWithStage", false);
  c.stageSwitcherHotkey = OneOf(JsonString(root, "stageSwitcherHotkey", L"alt+tab"),
                                {L"alt+tab", L"ctrl+alt+tab", L"alt+q", L"ctrl+alt+s"}, L"alt+tab");
  c.menuBarEnabled = JsonBool(root, "menuBarEnabled", true);
  c.menuBarReserveTop = JsonBool(root, "menuBarReserveTop", false);
  c.showNotificationBanners = JsonBool(root, "showNotificationBanners", true);
  c.desktopWidgetsEnabled = JsonBool(root, "desktopWidgetsEnabled", false);
  c.weatherCity = JsonString(root, "weatherCity", L"");
  c.quickNote = JsonString(root, "quickNote", WelcomeNote());
  c.widgets = ReadWidgets(root);
  c.enableGlobalHotkeys = JsonBool(root, "enableGlobalHotkeys", true);
  c.enableHotCorners = JsonBool(root, "enableHotCorners", false);
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
