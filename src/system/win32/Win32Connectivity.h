#pragma once
// Whether the machine has a connection to the outside (the menu bar's
// Wi-Fi glyph): InternetGetConnectedState, which answers from the system's
// state without touching the network.

namespace orvane {

bool InternetConnected();

}  // namespace orvane
