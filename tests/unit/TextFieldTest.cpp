#include "ui/text/TextField.h"

#include <gtest/gtest.h>

#include <string>

#include "app/TextUtil.h"

namespace orvane {
namespace {

constexpr unsigned kBack = 0x08, kEnter = 0x0D, kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kRight = 0x27,
                   kDelete = 0x2E;
constexpr char32_t kGrin = U'\U0001F600';

std::wstring Wide(std::u32string_view points) {
  std::wstring out;
  for (char32_t c : points) AppendCodePoint(out, c);
  return out;
}

TEST(TextFieldTest, CharactersBeyondTheBasicPlaneStayWholeThroughLimitsAndBackspace) {
  TextFieldOptions options;
  options.maxCodePoints = 3;
  TextField field(options);
  EXPECT_EQ(field.Insert(U'a'), TextFieldChange::Text);
  EXPECT_EQ(field.Insert(kGrin), TextFieldChange::Text);
  EXPECT_EQ(field.Insert(U'中'), TextFieldChange::Text);
  // Three code points (four UTF-16 units on Windows): the limit is reached.
  EXPECT_EQ(field.Insert(U'b'), TextFieldChange::None);
  EXPECT_EQ(field.Text(), Wide(U"a\U0001F600中"));
  EXPECT_EQ(field.Key(kLeft), TextFieldChange::Caret);
  EXPECT_EQ(field.Key(kBack), TextFieldChange::Text);
  // The whole emoji went, never half of it: the text still converts cleanly.
  EXPECT_EQ(field.Text(), L"a中");
  EXPECT_EQ(WideToUtf8(field.Text()), "a\xE4\xB8\xAD");
}

TEST(TextFieldTest, TextFromTheFileIsKeptWholeBeyondTheLimitAndOnlyStopsGrowing) {
  TextFieldOptions options;
  options.maxCodePoints = 4;
  options.multiline = true;
  TextField field(options);
  field.SetText(L"line one\r\nline two\rthree");
  EXPECT_EQ(field.Text(), L"line one\nline two\nthree");
  EXPECT_EQ(field.caret(), field.size());
  EXPECT_EQ(field.Insert(U'x'), TextFieldChange::None);
  EXPECT_EQ(field.Key(kEnter), TextFieldChange::None);
  EXPECT_TRUE(field.Owns(kEnter));  // still the field's key: its character must not arrive as an edit
  EXPECT_EQ(field.Key(kBack), TextFieldChange::Text);
  EXPECT_EQ(field.Text(), L"line one\nline two\nthre");
}

TEST(TextFieldTest, CaretKeysMoveAndEditAtTheCaret) {
  TextField field;
  field.SetText(L"abc");
  const struct {
    unsigned key;
    TextFieldChange change;
    std::size_t caret;
    const wchar_t* text;
  } steps[] = {
      {kHome, TextFieldChange::Caret, 0, L"abc"},  {kHome, TextFieldChange::None, 0, L"abc"},
      {kBack, TextFieldChange::None, 0, L"abc"},   {kDelete, TextFieldChange::Text, 0, L"bc"},
      {kRight, TextFieldChange::Caret, 1, L"bc"},  {kEnd, TextFieldChange::Caret, 2, L"bc"},
      {kDelete, TextFieldChange::None, 2, L"bc"},  {kRight, TextFieldChange::None, 2, L"bc"},
      {kLeft, TextFieldChange::Caret, 1, L"bc"},   {kEnter, TextFieldChange::None, 1, L"bc"},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(field.Key(step.key), step.change) << step.key;
    EXPECT_EQ(field.caret(), step.caret) << step.key;
    EXPECT_EQ(field.Text(), step.text) << step.key;
  }
  EXPECT_FALSE(field.Owns(kEnter));  // a single-line field leaves Enter to its surface
  field.Insert(U'X');
  EXPECT_EQ(field.Text(), L"bXc");
  EXPECT_EQ(field.DisplayTextWithCaret(L"|"), L"bX|c");
}

TEST(TextFieldTest, RefusesControlCharactersAndTurnsPastedBreaksIntoSpacesOnOneLine) {
  TextField field;
  for (char32_t c : {char32_t{0x08}, char32_t{0x0D}, char32_t{0x1B}, char32_t{0x7F}, char32_t{0x85}, char32_t{0xD800}}) {
    EXPECT_EQ(field.Insert(c), TextFieldChange::None) << static_cast<unsigned>(c);
  }
  EXPECT_EQ(field.InsertText(L"a\r\nb\nc"), TextFieldChange::Text);
  EXPECT_EQ(field.Text(), L"a b c");
}

TEST(TextFieldTest, APasswordTakesPrintableAsciiOnlyShowsDotsAndKeepsTheInputMethodOff) {
  TextFieldOptions options;
  options.masked = true;
  TextField field(options);
  EXPECT_FALSE(field.imeAllowed());
  EXPECT_EQ(field.Insert(U'p'), TextFieldChange::Text);
  EXPECT_EQ(field.Insert(U'中'), TextFieldChange::None);
  EXPECT_EQ(field.Insert(kGrin), TextFieldChange::None);
  EXPECT_EQ(field.Insert(U'~'), TextFieldChange::Text);
  EXPECT_EQ(field.Text(), L"p~");
  EXPECT_EQ(field.DisplayText(), L"\u2022\u2022");
  EXPECT_EQ(field.DisplayTextBeforeCaret(), L"\u2022\u2022");
}

}  // namespace
}  // namespace orvane
