#pragma once
// printf-style formatting of wide text with one meaning on every compiler.
//
// The C library's wide printf differs between the Windows runtime and glibc
// (what "%s" expects, for one), so log lines are formatted here instead.
// Conversions follow the Windows convention for wide formats:
//   %s  wide string       %S  narrow (UTF-8) string      %c  character
//   %d %i %u %x %X %o     integers, with h/l/ll/I64/z/j length prefixes accepted
//   %f %e %g (%F %E %G)   floating point
//   %p  pointer           %%  a percent sign
// with flags "-+ 0#", width and precision, including "*". Arguments are typed
// (FormatArg), so a mismatch between a conversion and its argument prints the
// argument sensibly instead of reading garbage, and a missing argument prints
// nothing.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace orvane {

class FormatArg {
 public:
  enum class Kind { Signed, Unsigned, Floating, Wide, Narrow, Pointer };

  template <class T>
    requires(std::is_integral_v<T> && std::is_signed_v<T> && !std::is_same_v<T, bool>)
  FormatArg(T v) : kind_(Kind::Signed), i_(static_cast<std::int64_t>(v)) {}
  template <class T>
    requires(std::is_integral_v<T> && std::is_unsigned_v<T> && !std::is_same_v<T, bool> &&
             !std::is_same_v<T, wchar_t>)
  FormatArg(T v) : kind_(Kind::Unsigned), u_(static_cast<std::uint64_t>(v)) {}
  template <class T>
    requires std::is_enum_v<T>
  FormatArg(T v) : FormatArg(static_cast<std::underlying_type_t<T>>(v)) {}
  FormatArg(bool v) : kind_(Kind::Signed), i_(v ? 1 : 0) {}
  FormatArg(wchar_t v) : kind_(Kind::Unsigned), u_(static_cast<std::uint64_t>(v)) {}
  FormatArg(double v) : kind_(Kind::Floating), d_(v) {}
  FormatArg(float v) : kind_(Kind::Floating), d_(v) {}
  FormatArg(const wchar_t* s) : kind_(Kind::Wide), w_(s ? std::wstring_view(s) : std::wstring_view(L"(null)")) {}
  FormatArg(wchar_t* s) : FormatArg(static_cast<const wchar_t*>(s)) {}
  FormatArg(const std::wstring& s) : kind_(Kind::Wide), w_(s) {}
  FormatArg(std::wstring_view s) : kind_(Kind::Wide), w_(s) {}
  FormatArg(const char* s) : kind_(Kind::Narrow), n_(s ? std::string_view(s) : std::string_view("(null)")) {}
  FormatArg(char* s) : FormatArg(static_cast<const char*>(s)) {}
  FormatArg(const std::string& s) : kind_(Kind::Narrow), n_(s) {}
  FormatArg(std::string_view s) : kind_(Kind::Narrow), n_(s) {}
  FormatArg(const void* p) : kind_(Kind::Pointer), u_(reinterpret_cast<std::uintptr_t>(p)) {}
  FormatArg(std::nullptr_t) : kind_(Kind::Pointer), u_(0) {}

  Kind kind() const { return kind_; }
  std::int64_t AsSigned() const;
  std::uint64_t AsUnsigned() const;
  double AsDouble() const;
  std::wstring AsWide() const;  // narrow text is converted from UTF-8

 private:
  Kind kind_;
  std::int64_t i_ = 0;
  std::uint64_t u_ = 0;
  double d_ = 0.0;
  std::wstring_view w_;
  std::string_view n_;
};

std::wstring FormatWideV(std::wstring_view format, std::span<const FormatArg> args);

template <class... Args>
std::wstring FormatWide(std::wstring_view format, const Args&... args) {
  const FormatArg packed[] = {FormatArg(args)..., FormatArg(0)};
  return FormatWideV(format, std::span<const FormatArg>(packed, sizeof...(Args)));
}

}  // namespace orvane
