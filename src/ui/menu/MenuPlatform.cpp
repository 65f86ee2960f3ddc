#include "ui/menu/MenuPlatform.h"

#include "app/Log.h"

namespace orvane {

void ConfirmShutdown(MenuPlatform& platform, ShutdownKind kind, const std::wstring& question,
                     const std::wstring& caption) {
  if (!platform.Confirm(question, caption, true)) return;
  const wchar_t* parameters = kind == ShutdownKind::Restart ? L"/r /t 0" : L"/s /t 0";
  if (!platform.RunShutdownCommand(parameters)) Log(L"Menus: shutdown.exe %s could not be started", parameters);
}

}  // namespace orvane
