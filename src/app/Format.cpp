#include "app/Format.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "app/TextUtil.h"

namespace orvane {

std::int64_t FormatArg::AsSigned() const {
  switch (kind_) {
    case Kind::Signed: return i_;
    case Kind::Unsigned:
    case Kind::Pointer: return static_cast<std::int64_t>(u_);
    case Kind::Floating:
      if (std::isnan(d_)) return 0;
      if (d_ <= -9.2233720368547758e18) return std::numeric_limits<std::int64_t>::min();
      if (d_ >= 9.2233720368547758e18) return std::numeric_limits<std::int64_t>::max();
      return static_cast<std::int64_t>(d_);
    case Kind::Wide:
    case Kind::Narrow: return 0;
  }
  return 0;
}

std::uint64_t FormatArg::AsUnsigned() const {
  switch (kind_) {
    case Kind::Signed: return static_cast<std::uint64_t>(i_);
    case Kind::Unsigned:
    case Kind::Pointer: return u_;
    case Kind::Floating:
      if (!(d_ > 0.0)) return static_cast<std::uint64_t>(AsSigned());
      if (d_ >= 1.8446744073709552e19) return std::numeric_limits<std::uint64_t>::max();
      return static_cast<std::uint64_t>(d_);
    case Kind::Wide:
    case Kind::Narrow: return 0;
  }
  return 0;
}

double FormatArg::AsDouble() const {
  switch (kind_) {
    case Kind::Signed: return static_cast<double>(i_);
    case Kind::Unsigned:
    case Kind::Pointer: return static_cast<double>(u_);
    case Kind::Floating: return d_;
    case Kind::Wide:
    case Kind::Narrow: return 0.0;
  }
  return 0.0;
}

std::wstring FormatArg::AsWide() const {
  switch (kind_) {
    case Kind::Wide: return std::wstring(w_);
    case Kind::Narrow: return Utf8ToWide(n_);
    case Kind::Signed: return FormatWide(L"%d", i_);
    case Kind::Unsigned: return FormatWide(L"%u", u_);
    case Kind::Floating: return FormatWide(L"%g", d_);
    case Kind::Pointer: return FormatWide(L"%p", reinterpret_cast<const void*>(static_cast<std::uintptr_t>(u_)));
  }
  return {};
}

namespace {

// Width and precision beyond this are treated as this: nothing the program
// prints needs more, and a stray "%999999999d" must not allocate gigabytes.
constexpr int kMaxFieldSize = 4096;

struct Spec {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool zero = false;
  bool alt = false;
  int width = 0;
  int precision = -1;  // -1: not given
  wchar_t conversion = 0;
};

class ArgCursor {
 public:
  explicit ArgCursor(std::span<const FormatArg> args) : args_(args) {}
  const FormatArg* Next() { return next_ < args_.size() ? &args_[next_++] : nullptr; }

 private:
  std::span<const FormatArg> args_;
  size_t next_ = 0;
};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Reads digits at pos, saturating at kMaxFieldSize.
int ReadNumber(std::wstring_view f, size_t& pos) {
  int value = 0;
  while (pos < f.size() && IsDigit(f[pos])) {
    value = value * 10 + (f[pos] - L'0');
    if (value > kMaxFieldSize) value = kMaxFieldSize;
    ++pos;
  }
  return value;
}

void SkipLengthPrefix(std::wstring_view f, size_t& pos) {
  while (pos < f.size()) {
    const wchar_t c = f[pos];
    if (c == L'h' || c == L'l' || c == L'L' || c == L'w' || c == L'z' || c == L'j' || c == L't' ||
        c == L'q') {
      ++pos;
    } else if (c == L'I') {
      ++pos;
      if (f.substr(pos, 2) == L"64" || f.substr(pos, 2) == L"32") pos += 2;
    } else {
      return;
    }
  }
}

// Pads prefix + body to the field width. Zero padding goes between the
// prefix (sign, "0x") and the digits.
void EmitPadded(std::wstring& out, const Spec& spec, std::wstring_view prefix, std::wstring_view body, bool zeroPad) {
  const size_t length = prefix.size() + body.size();
  const size_t pad = spec.width > 0 && static_cast<size_t>(spec.width) > length ? spec.width - length : 0;
  if (spec.left) {
    out.append(prefix).append(body).append(pad, L' ');
  } else if (zeroPad) {
    out.append(prefix).append(pad, L'0').append(body);
  } else {
    out.append(pad, L' ').append(prefix).append(body);
  }
}

void EmitText(std::wstring& out, const Spec& spec, std::wstring_view text) {
  if (spec.precision >= 0 && static_cast<size_t>(spec.precision) < text.size()) {
    size_t keep = static_cast<size_t>(spec.precision);
    // Never leave half of a UTF-16 surrogate pair behind.
    if constexpr (sizeof(wchar_t) == 2) {
      if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) --keep;
    }
    text = text.substr(0, keep);
  }
  EmitPadded(out, spec, {}, text, false);
}

void AppendFormattedChar(std::wstring& out, std::uint64_t cp) {
  if (cp == 0) return;
  // A lone UTF-16 unit passes through as it is where wchar_t is UTF-16.
  if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDFFF) {
    out.push_back(static_cast<wchar_t>(cp));
    return;
  }
  AppendCodePoint(out, cp > 0x10FFFF ? char32_t{0xFFFD} : static_cast<char32_t>(cp));
}

std::wstring Digits(std::uint64_t value, unsigned base, bool upper) {
  const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(symbols[value % base]));
    value /= base;
  } while (value != 0);
  return digits;
}

void EmitInteger(std::wstring& out, const Spec& spec, const FormatArg& arg) {
  const wchar_t c = spec.conversion;
  const bool signedConversion = c == L'd' || c == L'i';
  bool negative = false;
  std::uint64_t magnitude = 0;
  if (arg.kind() == FormatArg::Kind::Signed || arg.kind() == FormatArg::Kind::Floating) {
    const std::int64_t v = arg.AsSigned();
    if (signedConversion) {
      negative = v < 0;
      magnitude = negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    } else if (v < 0 && v >= std::numeric_limits<std::int32_t>::min()) {
      // The argument's C type is gone; a negative value that fits an int was
      // almost certainly an int (an HRESULT in "0x%08X"), so print 32 bits.
      magnitude = static_cast<std::uint32_t>(v);
    } else {
      magnitude = static_cast<std::uint64_t>(v);
    }
  } else {
    magnitude = arg.AsUnsigned();
  }

  const unsigned base = (c == L'x' || c == L'X') ? 16 : (c == L'o' ? 8 : 10);
  std::wstring body;
  if (!(spec.precision == 0 && magnitude == 0)) body = Digits(magnitude, base, c == L'X');
  if (spec.precision > 0 && body.size() < static_cast<size_t>(spec.precision)) {
    body.insert(0, spec.precision - body.size(), L'0');
  }
  std::wstring prefix;
  if (negative) {
    prefix = L"-";
  } else if (signedConversion && spec.plus) {
    prefix = L"+";
  } else if (signedConversion && spec.space) {
    prefix = L" ";
  }
  if (spec.alt && magnitude != 0 && base == 16) prefix = c == L'X' ? L"0X" : L"0x";
  if (spec.alt && base == 8 && (body.empty() || body[0] != L'0')) body.insert(0, 1, L'0');
  EmitPadded(out, spec, prefix, body, spec.zero && !spec.left && spec.precision < 0);
}

void EmitFloating(std::wstring& out, const Spec& spec, double value) {
  const wchar_t c = spec.conversion;
  const bool upper = c == L'E' || c == L'F' || c == L'G';
  std::wstring prefix;
  if (std::signbit(value)) {
    prefix = L"-";
  } else if (spec.plus) {
    prefix = L"+";
  } else if (spec.space) {
    prefix = L" ";
  }
  // Runtimes disagree on how they spell infinities and NaNs; spell them here.
  if (!std::isfinite(value)) {
    const wchar_t* text = std::isnan(value) ? (upper ? L"NAN" : L"nan") : (upper ? L"INF" : L"inf");
    if (std::isnan(value)) prefix = spec.plus ? L"+" : (spec.space ? L" " : L"");
    EmitPadded(out, spec, prefix, text, false);
    return;
  }
  // Narrow snprintf formats the magnitude; sign and padding are ours.
  std::string narrowFormat = "%";
  if (spec.alt) narrowFormat += '#';
  narrowFormat += ".*";
  narrowFormat += static_cast<char>(c);
  const int precision = spec.precision < 0 ? 6 : spec.precision;
  const double magnitude = std::fabs(value);
  const int needed = std::snprintf(nullptr, 0, narrowFormat.c_str(), precision, magnitude);
  if (needed <= 0) return;
  std::string text(static_cast<size_t>(needed) + 1, '\0');
  std::snprintf(text.data(), text.size(), narrowFormat.c_str(), precision, magnitude);
  text.resize(static_cast<size_t>(needed));
  // Older Windows runtimes print three exponent digits ("1e+006"); keep two.
  const size_t e = text.find_first_of("eE");
  if (e != std::string::npos && e + 2 < text.size()) {
    const size_t digits = e + 2;
    while (text.size() - digits > 2 && text[digits] == '0') text.erase(digits, 1);
  }
  EmitPadded(out, spec, prefix, std::wstring(text.begin(), text.end()), spec.zero && !spec.left);
}

void EmitPointer(std::wstring& out, const Spec& spec, const FormatArg& arg) {
  std::wstring body = Digits(arg.AsUnsigned(), 16, true);
  if (body.size() < 16) body.insert(0, 16 - body.size(), L'0');
  EmitPadded(out, spec, {}, body, false);
}

bool IsText(const FormatArg& arg) {
  return arg.kind() == FormatArg::Kind::Wide || arg.kind() == FormatArg::Kind::Narrow;
}

void EmitConversion(std::wstring& out, const Spec& spec, const FormatArg& arg) {
  switch (spec.conversion) {
    case L's':
    case L'S':
      EmitText(out, spec, arg.AsWide());
      return;
    case L'c':
    case L'C': {
      std::wstring ch;
      if (IsText(arg)) {
        ch = arg.AsWide().substr(0, 1);
      } else {
        AppendFormattedChar(ch, arg.AsUnsigned());
      }
      EmitPadded(out, spec, {}, ch, false);
      return;
    }
    case L'd': case L'i': case L'u': case L'x': case L'X': case L'o':
      if (IsText(arg)) {
        EmitText(out, spec, arg.AsWide());
      } else {
        EmitInteger(out, spec, arg);
      }
      return;
    case L'f': case L'F': case L'e': case L'E': case L'g': case L'G':
      if (IsText(arg)) {
        EmitText(out, spec, arg.AsWide());
      } else {
        EmitFloating(out, spec, arg.AsDouble());
      }
      return;
    case L'p':
      EmitPointer(out, spec, arg);
      return;
    default:
      return;
  }
}

bool IsConversion(wchar_t c) {
  return std::wstring_view(L"sScCdiuxXofFeEgGp").find(c) != std::wstring_view::npos;
}

}  // namespace

std::wstring FormatWideV(std::wstring_view format, std::span<const FormatArg> args) {
  std::wstring out;
  out.reserve(format.size() + 16);
  ArgCursor cursor(args);
  size_t pos = 0;
  while (pos < format.size()) {
    const size_t percent = format.find(L'%', pos);
    if (percent == std::wstring_view::npos) {
      out.append(format.substr(pos));
      break;
    }
    out.append(format.substr(pos, percent - pos));
    size_t p = percent + 1;
    if (p < format.size() && format[p] == L'%') {
      out.push_back(L'%');
      pos = p + 1;
      continue;
    }

    Spec spec;
    for (; p < format.size(); ++p) {
      const wchar_t f = format[p];
      if (f == L'-') spec.left = true;
      else if (f == L'+') spec.plus = true;
      else if (f == L' ') spec.space = true;
      else if (f == L'0') spec.zero = true;
      else if (f == L'#') spec.alt = true;
      else break;
    }
    if (p < format.size() && format[p] == L'*') {
      ++p;
      const FormatArg* a = cursor.Next();
      const std::int64_t w = a ? a->AsSigned() : 0;
      if (w < 0) spec.left = true;  // a negative "*" width means left-justify
      const std::int64_t magnitude = w < 0 ? -w : w;
      spec.width = static_cast<int>(magnitude > kMaxFieldSize ? kMaxFieldSize : magnitude);
    } else {
      spec.width = ReadNumber(format, p);
    }
    if (p < format.size() && format[p] == L'.') {
      ++p;
      if (p < format.size() && format[p] == L'*') {
        ++p;
        const FormatArg* a = cursor.Next();
        const std::int64_t prec = a ? a->AsSigned() : -1;
        spec.precision = prec < 0 ? -1 : static_cast<int>(prec > kMaxFieldSize ? kMaxFieldSize : prec);
      } else {
        spec.precision = ReadNumber(format, p);
      }
    }
    SkipLengthPrefix(format, p);

    if (p >= format.size() || !IsConversion(format[p])) {
      // Not a conversion we know (or the format ends): print it as written.
      const size_t end = p < format.size() ? p + 1 : p;
      out.append(format.substr(percent, end - percent));
      pos = end;
      continue;
    }
    spec.conversion = format[p];
    pos = p + 1;
    if (const FormatArg* arg = cursor.Next()) EmitConversion(out, spec, *arg);
  }
  return out;
}

}  // namespace orvane
