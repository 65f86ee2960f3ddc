#include "KeyboardProbe.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

namespace {

struct NamedKey {
  const wchar_t* name;
  WORD vk;
};

constexpr NamedKey kNamedKeys[] = {
    {L"alt", VK_MENU},          {L"ctrl", VK_CONTROL},    {L"control", VK_CONTROL}, {L"shift", VK_SHIFT},
    {L"win", VK_LWIN},          {L"tab", VK_TAB},         {L"escape", VK_ESCAPE},   {L"esc", VK_ESCAPE},
    {L"enter", VK_RETURN},      {L"return", VK_RETURN},   {L"space", VK_SPACE},     {L"backspace", VK_BACK},
    {L"delete", VK_DELETE},     {L"insert", VK_INSERT},   {L"home", VK_HOME},       {L"end", VK_END},
    {L"pageup", VK_PRIOR},      {L"pagedown", VK_NEXT},   {L"left", VK_LEFT},       {L"up", VK_UP},
    {L"right", VK_RIGHT},       {L"down", VK_DOWN},
};

std::optional<WORD> ParseKey(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  if (std::iswdigit(text[0]) && text.size() > 1) {
    const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text.c_str(), &end, hex ? 16 : 10);
    if (*end != L'\0' || value == 0 || value > 0xFE) return std::nullopt;
    return static_cast<WORD>(value);
  }
  if (text.size() == 1 && std::iswalnum(text[0]) && text[0] < 0x80) {
    return static_cast<WORD>(std::towupper(text[0]));  // 'A'..'Z' and '0'..'9' are their own codes
  }
  std::wstring lower = text;
  for (auto& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  for (const NamedKey& key : kNamedKeys) {
    if (lower == key.name) return key.vk;
  }
  if (lower.size() >= 2 && lower[0] == L'f') {
    const int n = _wtoi(lower.c_str() + 1);
    if (n >= 1 && n <= 12 && std::to_wstring(n) == lower.substr(1)) return static_cast<WORD>(VK_F1 + n - 1);
  }
  return std::nullopt;
}

// The navigation block and the Windows keys sit on the extended scan codes;
// without the flag the system reads them as their number-pad twins.
bool IsExtended(WORD vk) {
  return (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE || vk == VK_LWIN ||
         vk == VK_RWIN || vk == VK_RMENU || vk == VK_RCONTROL;
}

}  // namespace

int RunKeyProbe(const wchar_t* direction, int count, wchar_t** keys) {
  const std::wstring dir = direction != nullptr ? direction : L"";
  if ((dir != L"down" && dir != L"up") || count <= 0) return 64;
  std::vector<INPUT> inputs;
  for (int i = 0; i < count; ++i) {
    const std::optional<WORD> vk = ParseKey(keys[i]);
    if (!vk) {
      std::fprintf(stderr, "unknown key\n");
      return 64;
    }
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(*vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (dir == L"up" ? KEYEVENTF_KEYUP : 0u) | (IsExtended(*vk) ? KEYEVENTF_EXTENDEDKEY : 0u);
    inputs.push_back(input);
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size() ? 0 : 1;
}

int RunTypeProbe(const wchar_t* text) {
  // argv arrives in UTF-16 (Wine converts the UTF-8 command line), so each
  // unit is one event pair: a surrogate pair becomes two characters the
  // receiving window joins again.
  std::vector<INPUT> inputs;
  for (const wchar_t* p = text; *p != L'\0'; ++p) {
    for (const DWORD up : {0ul, static_cast<DWORD>(KEYEVENTF_KEYUP)}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = static_cast<WORD>(*p);
      input.ki.dwFlags = KEYEVENTF_UNICODE | up;
      inputs.push_back(input);
    }
  }
  if (inputs.empty()) return 0;
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size() ? 0 : 1;
}
