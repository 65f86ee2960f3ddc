#pragma once
// An exported function of a DLL, named by its text or by its ordinal. An
// ordinal is 1 to 65535 (the loader reads a "name" below 0x10000 as one).

#include <cstdint>
#include <string>

namespace orvane {

class ProcName {
 public:
  // Implicit, so a plain name reads naturally at the call site.
  constexpr ProcName(const char* name) : name_(name) {}  // NOLINT(google-explicit-constructor)
  static constexpr ProcName Ordinal(std::uint32_t ordinal) { return ProcName(nullptr, ordinal); }

  constexpr bool IsOrdinal() const { return name_ == nullptr; }
  constexpr const char* name() const { return name_; }
  constexpr std::uint32_t ordinal() const { return ordinal_; }
  // A non-empty name, or an ordinal in 1..65535.
  constexpr bool Valid() const {
    return IsOrdinal() ? ordinal_ >= 1 && ordinal_ <= 0xFFFF : name_[0] != '\0';
  }
  // "Name", or "#727" for an ordinal, as log lines show it.
  std::string Describe() const { return IsOrdinal() ? "#" + std::to_string(ordinal_) : std::string(name_); }

 private:
  constexpr ProcName(const char* name, std::uint32_t ordinal) : name_(name), ordinal_(ordinal) {}

  const char* name_ = nullptr;
  std::uint32_t ordinal_ = 0;
};

}  // namespace orvane
