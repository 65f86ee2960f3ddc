#include "config/ConfigJson.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <limits>
#include <system_error>

#include "app/TextUtil.h"

namespace orvane {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Four hex digits at text[at]; -1 when there are not four.
int HexUnit(std::string_view text, size_t at) {
  if (at + 4 > text.size()) return -1;
  int unit = 0;
  for (size_t i = at; i < at + 4; ++i) {
    const char c = text[i];
    int digit = 0;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return -1;
    }
    unit = unit * 16 + digit;
  }
  return unit;
}

bool IsHighSurrogate(int unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(int unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Whether a token is a JSON number whose magnitude lies beyond the largest
// double. Tokens that are not JSON numbers, and tiny ones (they read as 0),
// give false.
bool OverflowsDouble(std::string_view token) {
  size_t i = token.front() == '-' ? 1 : 0;
  const size_t integerStart = i;
  if (i >= token.size() || !IsDigit(token[i])) return false;
  if (token[i] == '0') {
    ++i;
  } else {
    while (i < token.size() && IsDigit(token[i])) ++i;
  }
  const size_t integerEnd = i;
  size_t fractionStart = i;
  size_t fractionEnd = i;
  if (i < token.size() && token[i] == '.') {
    fractionStart = ++i;
    while (i < token.size() && IsDigit(token[i])) ++i;
    fractionEnd = i;
    if (fractionEnd == fractionStart) return false;
  }
  long long exponent = 0;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    if (i >= token.size() || !IsDigit(token[i])) return false;
    for (; i < token.size() && IsDigit(token[i]); ++i) {
      exponent = std::min(exponent * 10 + (token[i] - '0'), 1'000'000'000LL);  // saturates, far past any double
    }
    if (negative) exponent = -exponent;
  }
  if (i != token.size()) return false;

  // Decimal order of magnitude of the leading non-zero digit.
  long long order = 0;
  const size_t firstNonZero = token.find_first_not_of('0', integerStart);
  if (firstNonZero < integerEnd) {
    order = static_cast<long long>(integerEnd - firstNonZero) - 1;
  } else {
    const size_t firstFraction = token.substr(0, fractionEnd).find_first_not_of('0', fractionStart);
    if (firstFraction == std::string_view::npos) return false;  // zero
    order = -static_cast<long long>(firstFraction - fractionStart) - 1;
  }
  order += exponent;
  if (order < std::numeric_limits<double>::max_exponent10) return false;
  if (order > std::numeric_limits<double>::max_exponent10) return true;
  double value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  return error == std::errc::result_out_of_range || !std::isfinite(value);
}

// The parser refuses a whole document over a number beyond the double range
// or an escaped UTF-16 surrogate without its partner. Here such a number
// becomes the largest double of its sign, so it is clamped like any other
// out-of-range value, and a lone surrogate escape becomes U+FFFD. Everything
// else is copied unchanged; what is not JSON stays not JSON.
std::string MendValues(std::string_view text) {
  static constexpr std::string_view kReplacement = "\\uFFFD";
  static constexpr std::string_view kLargest = "1.7976931348623157e308";
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"') {
      out += c;
      ++i;
      while (i < text.size()) {
        const char s = text[i];
        if (s == '"') {
          out += s;
          ++i;
          break;
        }
        if (s != '\\' || i + 1 >= text.size() || text[i + 1] != 'u') {
          // Any other escape is two characters; copying both keeps "\\" from
          // hiding the quote or the 'u' that follows it.
          const size_t length = s == '\\' ? std::min<size_t>(2, text.size() - i) : 1;
          out.append(text.substr(i, length));
          i += length;
          continue;
        }
        const int unit = HexUnit(text, i + 2);
        if (unit < 0) {  // malformed: left for the parser to refuse
          out.append("\\u");
          i += 2;
          continue;
        }
        if (IsHighSurrogate(unit) && text.substr(i + 6, 2) == "\\u" && IsLowSurrogate(HexUnit(text, i + 8))) {
          out.append(text.substr(i, 12));
          i += 12;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
          out.append(kReplacement);
          i += 6;
        } else {
          out.append(text.substr(i, 6));
          i += 6;
        }
      }
      continue;
    }
    if (c == '-' || IsDigit(c)) {
      size_t end = i + 1;
      while (end < text.size() && (IsDigit(text[end]) || text[end] == '.' || text[end] == 'e' || text[end] == 'E' ||
                                   text[end] == '+' || text[end] == '-')) {
        ++end;
      }
      const std::string_view token = text.substr(i, end - i);
      if (OverflowsDouble(token)) {
        if (c == '-') out += '-';
        out.append(kLargest);
      } else {
        out.append(token);
      }
      i = end;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
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
    const nlohmann::json root = ParseJsonDocument(MendValues(bytes));
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
