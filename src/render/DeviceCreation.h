#pragma once
// The graphics device's start-up decisions, kept free of platform headers so
// the tests can drive them: the hardware-then-WARP creation order and the
// adapter line in the log.

#include <cstdint>
#include <functional>
#include <string_view>

namespace orvane {

enum class DeviceDriver { Hardware, Warp };

// Calls `create` for the hardware driver; when that fails (negative HRESULT),
// logs "Hardware D3D11 device failed (0x%08X), falling back to WARP" and calls
// it once more for WARP. Returns the HRESULT of the last attempt.
std::int32_t CreateDeviceWithWarpFallback(const std::function<std::int32_t(DeviceDriver)>& create);

// Whole MiB, truncated.
constexpr std::uint64_t WholeMebibytes(std::uint64_t bytes) { return bytes >> 20; }

// "GraphicsDevice adapter: <description> (dedicatedVRAM=<MiB> MB)".
void LogAdapter(std::wstring_view description, std::uint64_t dedicatedVideoMemoryBytes);

}  // namespace orvane
