// The editor's 13 images as the layout uses them: file name (under resources/img/), resource
// id (type "PNG"), picture size and frame count, in the order the editor loads them. Frames are
// stacked vertically; frame k (from 1) starts at row (int)(height * (k - 1) / frames + 0.5) and
// is height / frames rows high.
#pragma once

namespace kavrotel {
namespace test {

struct EditorImage {
  const char* name;
  int resourceId;
  int width;
  int height;
  int frames;
};

inline constexpr EditorImage kEditorImages[] = {
    {"bg", 102, 541, 580, 1},          {"knob", 101, 50, 1500, 30},
    {"bknob", 103, 30, 930, 31},       {"amps", 104, 541, 5599, 12},
    {"credits", 113, 541, 477, 1},     {"led", 106, 17, 34, 2},
    {"switch", 105, 28, 66, 2},        {"miniknob", 107, 30, 930, 31},
    {"pedalknob", 110, 45, 1395, 31},  {"vuknob", 108, 30, 930, 31},
    {"pedal", 109, 541, 477, 1},       {"djentswitch", 111, 147, 96, 2},
    {"jled", 112, 42, 84, 2},
};

inline constexpr int kEditorImageCount = sizeof(kEditorImages) / sizeof(kEditorImages[0]);

}  // namespace test
}  // namespace kavrotel
