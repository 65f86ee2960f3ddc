#include "SetupCommandLine.h"

namespace orvane {

SetupOptions ParseSetupCommandLine(std::wstring_view commandLine) {
  SetupOptions options;
  options.silent = commandLine.find(L"/S") != std::wstring_view::npos ||
                   commandLine.find(L"/s") != std::wstring_view::npos;
  options.uninstall = commandLine.find(L"/uninstall") != std::wstring_view::npos;
  return options;
}

}  // namespace orvane
