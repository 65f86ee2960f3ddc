#pragma once
// What the setup program was asked to do, read from its raw command line.

#include <string_view>

namespace orvane {

struct SetupOptions {
  bool silent = false;     // no dialog and no message boxes
  bool uninstall = false;  // remove the installation instead of installing
};

// The whole command line is searched as plain text, case-sensitively:
// "/S" or "/s" anywhere means silent (even inside a path), "/uninstall"
// anywhere means uninstall. Deployment scripts depend on this loose match.
SetupOptions ParseSetupCommandLine(std::wstring_view commandLine);

}  // namespace orvane
