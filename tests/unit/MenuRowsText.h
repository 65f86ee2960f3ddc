#pragma once
// Menu rows as text, so a table can state a whole menu: "id text" with flags
// after the text: "-" disabled, "!" destructive, "*" checked; a separator
// is "|".

#include <string>
#include <vector>

#include "ui/menu/MenuItem.h"

namespace orvane::testing {

inline std::vector<std::wstring> DescribeRows(const std::vector<MenuItem>& rows) {
  std::vector<std::wstring> lines;
  for (const MenuItem& row : rows) {
    if (row.separator) {
      lines.push_back(L"|");
      continue;
    }
    std::wstring line = std::to_wstring(row.id) + L" " + row.text;
    if (!row.enabled) line += L" -";
    if (row.destructive) line += L" !";
    if (row.checked) line += L" *";
    lines.push_back(line);
  }
  return lines;
}

}  // namespace orvane::testing
