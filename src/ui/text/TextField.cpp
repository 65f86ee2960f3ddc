#include "ui/text/TextField.h"

#include "app/TextUtil.h"

namespace orvane {
namespace {

// Virtual-key codes of the editing keys.
constexpr unsigned kKeyBackspace = 0x08;  // VK_BACK
constexpr unsigned kKeyEnter = 0x0D;      // VK_RETURN
constexpr unsigned kKeyEnd = 0x23;        // VK_END
constexpr unsigned kKeyHome = 0x24;       // VK_HOME
constexpr unsigned kKeyLeft = 0x25;       // VK_LEFT
constexpr unsigned kKeyRight = 0x27;      // VK_RIGHT
constexpr unsigned kKeyDelete = 0x2E;     // VK_DELETE

constexpr char32_t kMaskDot = U'\u2022';

// Code points of wide text: UTF-16 pairs joined, lone halves U+FFFD.
std::u32string CodePointsOf(std::wstring_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto unit = static_cast<char32_t>(text[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
        const auto low = static_cast<char32_t>(text[i + 1]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          out.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
          ++i;
          continue;
        }
      }
      if (unit >= 0xD800 && unit <= 0xDFFF) {
        out.push_back(0xFFFD);
        continue;
      }
    }
    out.push_back(unit >= 0xD800 && unit <= 0xDFFF ? char32_t{0xFFFD} : unit);
  }
  return out;
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

}  // namespace

TextField::TextField(TextFieldOptions options) : options_(options) {}

void TextField::SetText(std::wstring_view text) {
  const std::u32string points = CodePointsOf(text);
  text_.clear();
  text_.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    char32_t c = points[i];
    if (c == U'\r') {
      if (i + 1 < points.size() && points[i + 1] == U'\n') ++i;
      c = U'\n';
    }
    if (c == U'\n' && !options_.multiline) c = U' ';
    text_.push_back(c);
  }
  caret_ = text_.size();
}

void TextField::Clear() {
  text_.clear();
  caret_ = 0;
}

std::wstring TextField::Text() const {
  std::wstring out;
  out.reserve(text_.size());
  for (const char32_t c : text_) AppendCodePoint(out, c);
  return out;
}

bool TextField::Accepts(char32_t c) const {
  if (options_.maxCodePoints != 0 && text_.size() >= options_.maxCodePoints) return false;
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  if (options_.masked) return c >= 0x20 && c < 0x7F;
  if (c == U'\n') return options_.multiline;
  return !IsControl(c);
}

TextFieldChange TextField::Insert(char32_t codePoint) {
  if (!Accepts(codePoint)) return TextFieldChange::None;
  text_.insert(text_.begin() + static_cast<std::ptrdiff_t>(caret_), codePoint);
  ++caret_;
  return TextFieldChange::Text;
}

TextFieldChange TextField::InsertText(std::wstring_view text) {
  TextFieldChange change = TextFieldChange::None;
  for (char32_t c : CodePointsOf(text)) {
    if (c == U'\r') continue;
    if (c == U'\n' && !options_.multiline) c = U' ';
    if (Insert(c) == TextFieldChange::Text) change = TextFieldChange::Text;
  }
  return change;
}

TextFieldChange TextField::Key(unsigned virtualKey) {
  switch (virtualKey) {
    case kKeyBackspace:
      if (caret_ == 0) return TextFieldChange::None;
      text_.erase(--caret_, 1);
      return TextFieldChange::Text;
    case kKeyDelete:
      if (caret_ >= text_.size()) return TextFieldChange::None;
      text_.erase(caret_, 1);
      return TextFieldChange::Text;
    case kKeyLeft:
      if (caret_ == 0) return TextFieldChange::None;
      --caret_;
      return TextFieldChange::Caret;
    case kKeyRight:
      if (caret_ >= text_.size()) return TextFieldChange::None;
      ++caret_;
      return TextFieldChange::Caret;
    case kKeyHome:
      if (caret_ == 0) return TextFieldChange::None;
      caret_ = 0;
      return TextFieldChange::Caret;
    case kKeyEnd:
      if (caret_ == text_.size()) return TextFieldChange::None;
      caret_ = text_.size();
      return TextFieldChange::Caret;
    case kKeyEnter:
      if (!options_.multiline) return TextFieldChange::None;
      return Insert(U'\n');
    default:
      return TextFieldChange::None;
  }
}

bool TextField::Owns(unsigned virtualKey) const {
  switch (virtualKey) {
    case kKeyBackspace:
    case kKeyDelete:
    case kKeyLeft:
    case kKeyRight:
    case kKeyHome:
    case kKeyEnd:
      return true;
    case kKeyEnter:
      return options_.multiline;
    default:
      return false;
  }
}

std::wstring TextField::Display(std::size_t from, std::size_t to) const {
  std::wstring out;
  for (std::size_t i = from; i < to && i < text_.size(); ++i) AppendCodePoint(out, options_.masked ? kMaskDot : text_[i]);
  return out;
}

std::wstring TextField::DisplayText() const { return Display(0, text_.size()); }

std::wstring TextField::DisplayTextBeforeCaret() const { return Display(0, caret_); }

std::wstring TextField::DisplayTextWithCaret(std::wstring_view mark) const {
  std::wstring out = Display(0, caret_);
  out.append(mark);
  out += Display(caret_, text_.size());
  return out;
}

}  // namespace orvane
