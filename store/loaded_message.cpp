#include "store/loaded_message.h"

namespace calmora {

LoadedMessage::Fingerprint LoadedMessage::Fingerprint::Of(std::wstring_view text) {
  constexpr std::uint64_t kOffsetBasis = 14695981039346656037ULL;
  constexpr std::uint64_t kPrime = 1099511628211ULL;
  std::uint64_t hash = kOffsetBasis;
  // Byte by byte through each unit, and no further than the unit is wide: on Windows two bytes.
  for (const wchar_t unit : text) {
    const auto value = static_cast<std::uint32_t>(unit);
    for (std::size_t shift = 0; shift < 8 * sizeof(wchar_t); shift += 8) {
      hash = (hash ^ ((value >> shift) & 0xFF)) * kPrime;
    }
  }
  return {text.size(), hash};
}

OkayAction LoadedMessage::OkayDoes(std::wstring_view boxText) const {
  switch (state_) {
    case State::kNoFile:
      return boxText.empty() ? OkayAction::kCreateEmptyIfNone : OkayAction::kStoreBox;
    case State::kNotShown:
      return boxText.empty() ? OkayAction::kNothing : OkayAction::kStoreBox;
    case State::kShown:
      break;
  }
  // A text of another length differs without hashing every character of it.
  if (boxText.size() != shown_.length) return OkayAction::kStoreBox;
  return Fingerprint::Of(boxText) == shown_ ? OkayAction::kNothing : OkayAction::kStoreBox;
}

}  // namespace calmora
