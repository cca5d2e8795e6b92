// The two labels of the message window as its design hands them over, name by name in the
// design's order, for the tests of the label's reading and drawing.
#pragma once

#include <array>

#include "platform/label_properties.h"

namespace calmora::testing {

inline constexpr std::array<LabelProperty, 16> kHeadingBag{{
    {L"_Version", std::uint32_t{0}},
    {L"_cx", std::uint32_t{15266}},
    {L"_cy", std::uint32_t{1931}},
    {L"Font", FontSpec{L"Elephant", 480000, 400, false, 0}},
    {L"Picture", NoPicture{}},
    {L"Caption", std::wstring_view{L"Calmora!"}},
    {L"BackStyle", std::int32_t{0}},
    {L"BackColor", Color{192}},
    {L"ForeColor", Color{16777215}},
    {L"LabelStyle", std::int32_t{0}},
    {L"Label3dStyle", std::int32_t{2}},
    {L"Label3dOrientation", std::int32_t{7}},
    {L"Label3dDepth", std::int32_t{7}},
    {L"PenWidth", std::int32_t{1}},
    {L"Angle", std::int16_t{0}},
    {L"ShadowColor", Color{10917}},
}};

inline constexpr std::array<LabelProperty, 16> kSubHeadingBag{{
    {L"_Version", std::uint32_t{4}},
    {L"_cx", std::uint32_t{15690}},
    {L"_cy", std::uint32_t{450}},
    {L"Font", FontSpec{L"MS Sans Serif", 82500, 400, false, 0}},
    {L"Picture", NoPicture{}},
    {L"Caption", std::wstring_view{L"[HERE IS A MESSAGE FROM YOUR PERSONAL TECHNICIAN]"}},
    {L"BackStyle", std::int32_t{0}},
    {L"BackColor", Color{192}},
    {L"ForeColor", Color{16777215}},
    {L"LabelStyle", std::int32_t{1}},
    {L"Label3dStyle", std::int32_t{2}},
    {L"Label3dOrientation", std::int32_t{7}},
    {L"Label3dDepth", std::int32_t{2}},
    {L"PenWidth", std::int32_t{1}},
    {L"Angle", std::int16_t{0}},
    {L"ShadowColor", Color{0}},
}};

}  // namespace calmora::testing
