#pragma once
// The wireless calls of the end-to-end probe, through the real Windows
// adapters: one line each for the Wi-Fi and Bluetooth snapshots, the radio
// lookups and a join attempt. COM must be initialised on the thread.

int RunWirelessProbe();
