#include "render/EffectDescription.h"

#include <algorithm>
#include <cmath>

namespace orvane {

EffectDescription EffectDescription::GaussianBlur(float standardDeviation) {
  return EffectDescription(EffectKind::GaussianBlur, {EffectPropertyValue::Single(standardDeviation),
                                                      EffectPropertyValue::UInt32(kBlurOptimizationBalanced),
                                                      EffectPropertyValue::UInt32(kBorderModeHard)});
}

EffectDescription EffectDescription::Saturation(float saturation) {
  return EffectDescription(EffectKind::Saturation, {EffectPropertyValue::Single(saturation)});
}

std::int32_t EffectDescription::PropertyAt(std::uint32_t index, EffectPropertyValue* out) const {
  if (out == nullptr) return kEffectNullPointer;
  if (index >= properties_.size()) return kEffectInvalidArg;
  *out = properties_[index];
  return kEffectOk;
}

std::int32_t EffectSourceQuery(bool hasSource, std::uint32_t index, bool outIsNull) {
  if (outIsNull) return kEffectNullPointer;
  if (!hasSource || index != 0) return kEffectInvalidArg;
  return kEffectOk;
}

BackdropEffectGraph MakeBackdropEffectGraph(float blurAmount, float saturation) {
  BackdropEffectGraph graph;
  graph.sourceName = L"backdrop";
  graph.saturationName = L"Saturation";
  graph.saturation = saturation;
  graph.blurName = L"Blur";
  // std::max would pass a NaN through; a NaN blur would fail the whole brush.
  graph.blurAmount = std::isnan(blurAmount) ? kMinBackdropBlur : std::max(blurAmount, kMinBackdropBlur);
  return graph;
}

}  // namespace orvane
