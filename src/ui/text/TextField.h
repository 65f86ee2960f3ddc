#pragma once
// One line or a few lines of text the user types: the quick note, the
// launcher's search, the Wi-Fi password, the settings' fields. The text is
// kept as code points, so a limit, a Backspace or the caret never split a
// surrogate pair, and what is saved is always whole characters.
//
// Keys arrive twice on Windows (the key and then its character): editing
// keys act in Key() and the surface reports them handled, which swallows
// their characters; printable characters arrive through Insert().

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

struct TextFieldOptions {
  // Typing stops at this many code points (0: no limit). Text set from a
  // file may be longer; it is kept and shown in full, and only stops growing.
  std::size_t maxCodePoints = 0;
  // Enter inserts a line break instead of being left to the surface.
  bool multiline = false;
  // A password: shown as dots, printable ASCII only, and the input method
  // stays off.
  bool masked = false;
};

enum class TextFieldChange { None, Caret, Text };

class TextField {
 public:
  explicit TextField(TextFieldOptions options = {});

  // Replaces the text (kept whole, even beyond the limit) with the caret at
  // the end. Line breaks arrive as "\r\n", "\r" or "\n" and are kept as "\n"
  // (only in a multi-line field; a single-line one turns them into spaces).
  void SetText(std::wstring_view text);
  void Clear();

  // The text as wide characters (UTF-16 on Windows).
  std::wstring Text() const;
  const std::u32string& codePoints() const { return text_; }
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }
  // Caret position in code points, 0 ... size().
  std::size_t caret() const { return caret_; }
  const TextFieldOptions& options() const { return options_; }
  // Whether the input method may compose into this field.
  bool imeAllowed() const { return !options_.masked; }

  // One typed character (WM_CHAR, pairs already joined). Control
  // characters are refused; so is anything once the limit is reached, and
  // anything but printable ASCII in a masked field.
  TextFieldChange Insert(char32_t codePoint);
  // Pasted or committed text, character by character, up to the limit.
  TextFieldChange InsertText(std::wstring_view text);
  // An editing key by virtual-key code: Backspace, Delete, Left, Right,
  // Home, End, and Enter in a multi-line field. Anything else is None and
  // belongs to the surface.
  TextFieldChange Key(unsigned virtualKey);
  // Whether Key() takes this key, changed or not (Backspace at the start,
  // Enter at the limit): the surface reports it handled, so the character
  // the same key produces never arrives as a second edit.
  bool Owns(unsigned virtualKey) const;

  // What to draw: the text, or one dot per character when masked.
  std::wstring DisplayText() const;
  // The same up to the caret (where the caret and the input method's
  // window go).
  std::wstring DisplayTextBeforeCaret() const;
  // The display text with `mark` at the caret.
  std::wstring DisplayTextWithCaret(std::wstring_view mark) const;

 private:
  std::wstring Display(std::size_t from, std::size_t to) const;
  bool Accepts(char32_t codePoint) const;

  TextFieldOptions options_;
  std::u32string text_;
  std::size_t caret_ = 0;
};

}  // namespace orvane
