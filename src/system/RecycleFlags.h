#pragma once
// How files dropped on the dock's recycle bin are sent there.

#include <cstdint>

namespace orvane {

inline constexpr std::uint32_t kFileOpNoConfirmation = 0x10;       // FOF_NOCONFIRMATION
inline constexpr std::uint32_t kFileOpAllowUndo = 0x40;            // FOF_ALLOWUNDO
inline constexpr std::uint32_t kFileOpWantNukeWarning = 0x4000;    // FOF_WANTNUKEWARNING
inline constexpr std::uint32_t kFileOpRecycleOnDelete = 0x80000;   // FOFX_RECYCLEONDELETE

// No "are you sure" for an ordinary recycle, but a file that cannot go to the
// recycle bin (too large, network drive, removable disk) would otherwise be
// deleted for good without a word: the nuke warning asks first.
inline constexpr std::uint32_t kRecycleDroppedFilesFlags =
    kFileOpNoConfirmation | kFileOpAllowUndo | kFileOpRecycleOnDelete | kFileOpWantNukeWarning;

}  // namespace orvane
