#pragma once
// What the compositor's effect descriptions report about themselves: the
// property table of each Direct2D effect we hand to the compositor, the
// answers to its index-based queries, and the backdrop effect graph
// (host backdrop -> saturation -> Gaussian blur). The Windows classes in
// render/win32/RenderFx only box these values into platform objects.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

// The HRESULTs these queries answer with (same values as the platform's).
inline constexpr std::int32_t kEffectOk = 0;
inline constexpr std::int32_t kEffectInvalidArg = static_cast<std::int32_t>(0x80070057u);  // E_INVALIDARG
inline constexpr std::int32_t kEffectNullPointer = static_cast<std::int32_t>(0x80004003u);  // E_POINTER

enum class EffectKind { GaussianBlur, Saturation };

// A property value as the compositor expects it boxed: floats as Single,
// enums as UInt32.
struct EffectPropertyValue {
  enum class Type { Single, UInt32 };
  Type type = Type::Single;
  float single = 0;
  std::uint32_t uint32 = 0;

  static EffectPropertyValue Single(float value) { return {Type::Single, value, 0}; }
  static EffectPropertyValue UInt32(std::uint32_t value) { return {Type::UInt32, 0, value}; }
  bool operator==(const EffectPropertyValue&) const = default;
};

// Direct2D's values for the Gaussian blur's fixed properties.
inline constexpr std::uint32_t kBlurOptimizationBalanced = 1;  // D2D1_GAUSSIANBLUR_OPTIMIZATION_BALANCED
inline constexpr std::uint32_t kBorderModeHard = 1;            // D2D1_BORDER_MODE_HARD

class EffectDescription {
 public:
  // Properties 0 standard deviation, 1 optimisation (balanced), 2 border mode (hard).
  static EffectDescription GaussianBlur(float standardDeviation);
  // Property 0 saturation.
  static EffectDescription Saturation(float saturation);

  EffectKind kind() const { return kind_; }
  std::uint32_t propertyCount() const { return static_cast<std::uint32_t>(properties_.size()); }

  // The property at `index` into *out: kEffectNullPointer when out is null,
  // kEffectInvalidArg when the index is out of range, else kEffectOk.
  std::int32_t PropertyAt(std::uint32_t index, EffectPropertyValue* out) const;

 private:
  EffectDescription(EffectKind kind, std::vector<EffectPropertyValue> properties)
      : kind_(kind), properties_(std::move(properties)) {}

  EffectKind kind_;
  std::vector<EffectPropertyValue> properties_;
};

// The answer to "give me source `index`" of an effect with at most one source:
// kEffectNullPointer for a null out-pointer, kEffectInvalidArg unless the
// index is 0 and a source is set, else kEffectOk.
std::int32_t EffectSourceQuery(bool hasSource, std::uint32_t index, bool outIsNull);

// No property of ours is animatable by name.
inline constexpr std::int32_t kNamedPropertyMappingResult = kEffectInvalidArg;

// Blur below this many pixels looks like a smudge rather than glass.
inline constexpr float kMinBackdropBlur = 4.0f;

// The backdrop effect graph: the host backdrop bound to the source parameter
// `sourceName`, saturated, then blurred by at least kMinBackdropBlur.
struct BackdropEffectGraph {
  std::wstring sourceName;
  std::wstring saturationName;
  float saturation = 1;
  std::wstring blurName;
  float blurAmount = kMinBackdropBlur;
};

BackdropEffectGraph MakeBackdropEffectGraph(float blurAmount, float saturation);

}  // namespace orvane
