#pragma once
// Launching on Windows: ShellExecuteExW and the Application Activation
// Manager. COM must be initialised on the calling thread.

#include "system/Launcher.h"

namespace orvane {

class Win32LaunchPlatform final : public LaunchPlatform {
 public:
  bool Execute(const ShellExecuteRequest& request) override;
  bool ActivateApplication(const std::wstring& aumid) override;
  std::uint32_t LastError() override;
};

}  // namespace orvane
