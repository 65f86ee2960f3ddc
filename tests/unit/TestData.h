#pragma once
// Hand-written input files kept under tests/unit/data.

#include <fstream>
#include <iterator>
#include <string>

namespace orvane {

inline std::string TestDataPath(const std::string& relative) {
  return std::string(ORVANE_TEST_DATA_DIR) + "/" + relative;
}

// The file's bytes; "" when it cannot be read.
inline std::string ReadTestData(const std::string& relative) {
  std::ifstream in(TestDataPath(relative), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace orvane
