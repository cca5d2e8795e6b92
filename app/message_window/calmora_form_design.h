// How the message window looks: a dark red window with a large 3-D heading, the sub-heading,
// the message box and the OKAY button. Nothing is laid out again when the window is resized.
#pragma once

#include <array>

#include "app/window_design.h"

namespace calmora::calmora_form_design {

inline constexpr WindowDesign kWindow{L"Desktop Support Information...", 9600, 6795};
inline constexpr Color kBackColor = Rgb(192, 0, 0);

// The box is dark grey with white text, which reads well against the dark red window.
inline constexpr TextBoxDesign kUserMessageText{{360, 1920, 8895, 3855},
                                                2,
                                                {L"Arial", 120000, 400, false, 0},
                                                Rgb(64, 64, 64),
                                                Rgb(255, 255, 255)};

inline constexpr ButtonDesign kOkayButton{L"OKAY", {4080, 6120, 1695, 495}, 1};
inline constexpr FontSpec kOkayButtonFont{L"Arial Black", 120000, 400, true, 0};

inline constexpr std::array kCalmoraLabelProperties{
    LabelProperty{L"_Version", std::uint32_t{0}},
    LabelProperty{L"_cx", std::uint32_t{15266}},
    LabelProperty{L"_cy", std::uint32_t{1931}},
    LabelProperty{L"Font", FontSpec{L"Elephant", 480000, 400, false, 0}},
    LabelProperty{L"Picture", NoPicture{}},
    LabelProperty{L"Caption", std::wstring_view(L"Calmora!")},
    LabelProperty{L"BackStyle", std::int32_t{0}},
    LabelProperty{L"BackColor", Color{192}},
    LabelProperty{L"ForeColor", Color{16777215}},
    LabelProperty{L"LabelStyle", std::int32_t{0}},
    LabelProperty{L"Label3dStyle", std::int32_t{2}},
    LabelProperty{L"Label3dOrientation", std::int32_t{7}},
    LabelProperty{L"Label3dDepth", std::int32_t{7}},
    LabelProperty{L"PenWidth", std::int32_t{1}},
    LabelProperty{L"Angle", std::int16_t{0}},
    LabelProperty{L"ShadowColor", Color{10917}},
};

inline constexpr std::array kYourTechLabelProperties{
    LabelProperty{L"_Version", std::uint32_t{4}},
    LabelProperty{L"_cx", std::uint32_t{15690}},
    LabelProperty{L"_cy", std::uint32_t{450}},
    LabelProperty{L"Font", FontSpec{L"MS Sans Serif", 82500, 400, false, 0}},
    LabelProperty{L"Picture", NoPicture{}},
    LabelProperty{L"Caption",
                  std::wstring_view(L"[HERE IS A MESSAGE FROM YOUR PERSONAL TECHNICIAN]")},
    LabelProperty{L"BackStyle", std::int32_t{0}},
    LabelProperty{L"BackColor", Color{192}},
    LabelProperty{L"ForeColor", Color{16777215}},
    LabelProperty{L"LabelStyle", std::int32_t{1}},
    LabelProperty{L"Label3dStyle", std::int32_t{2}},
    LabelProperty{L"Label3dOrientation", std::int32_t{7}},
    LabelProperty{L"Label3dDepth", std::int32_t{2}},
    LabelProperty{L"PenWidth", std::int32_t{1}},
    LabelProperty{L"Angle", std::int16_t{0}},
    LabelProperty{L"ShadowColor", Color{0}},
};

// A click on the heading opens Options; the sub-heading is only read.
inline constexpr LabelDesign kCalmoraLabel{
    {480, 360, 8655, 1095}, 0, kCalmoraLabelProperties, LabelRole::kLink};
inline constexpr LabelDesign kYourTechLabel{
    {360, 1560, 8895, 255}, 3, kYourTechLabelProperties, LabelRole::kText};

}  // namespace calmora::calmora_form_design
