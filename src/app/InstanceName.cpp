#include "app/InstanceName.h"

namespace orvane {

std::wstring InstanceMutexName(const std::optional<std::wstring>& rawTag) {
  std::wstring name = kInstanceMutexBaseName;
  if (!rawTag || rawTag->empty()) return name;
  name += L'_';
  if (rawTag->size() < kInstanceTagBufferChars) name += *rawTag;
  return name;
}

}  // namespace orvane
