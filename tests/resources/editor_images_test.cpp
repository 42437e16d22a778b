// The committed editor images, decoded with our own PNG codec: each is 8-bit RGBA at the size
// the layout needs, with its frames stacked as the layout reads them; the pictures the editor
// shows as panels are opaque, the knobs turn their pointer from the minimum to the maximum,
// the level rings light up with the frame, and the mini knobs leave the ring around them clear.
#include "raster/png_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/resources/committed_images.h"
#include "tests/resources/editor_images.h"

namespace kavrotel {
namespace {

using test::CommittedImagePath;
using test::EditorImage;
using test::kEditorImages;
using test::ReadCommittedImage;

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, top-down

  static PngTarget Give(void* context, int width, int height) {
    auto* p = static_cast<Picture*>(context);
    p->width = width;
    p->height = height;
    p->pixels.assign(static_cast<size_t>(width) * height, 0);
    PngTarget target;
    target.bits = p->pixels.data();
    target.width = width;
    target.height = height;
    target.rowSpan = width;
    return target;
  }

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture Decode(const EditorImage& image) {
  Picture picture;
  std::vector<uint8_t> bytes = ReadCommittedImage(image);
  PngStatus status = DecodePngMemory(bytes.data(), bytes.size(), &Picture::Give, &picture);
  EXPECT_EQ(status, PngStatus::kOk) << image.name << ": " << PngStatusText(status);
  return picture;
}

const EditorImage& Find(const std::string& name) {
  for (const EditorImage& image : kEditorImages) {
    if (name == image.name) return image;
  }
  ADD_FAILURE() << "no image " << name;
  return kEditorImages[0];
}

// The layout's reading of a strip: frame k (from 1) at a rounded origin, height / frames rows.
int FrameTop(const EditorImage& image, int k) {
  return static_cast<int>(static_cast<double>(image.height) * (k - 1) / image.frames + 0.5);
}
int FrameHeight(const EditorImage& image) { return image.height / image.frames; }

bool FramesEqual(const Picture& p, const EditorImage& image, int a, int b) {
  for (int y = 0; y < FrameHeight(image); ++y) {
    for (int x = 0; x < p.width; ++x) {
      if (p.At(x, FrameTop(image, a) + y) != p.At(x, FrameTop(image, b) + y)) return false;
    }
  }
  return true;
}

class EditorImageTest : public ::testing::TestWithParam<EditorImage> {};

TEST_P(EditorImageTest, IsEightBitRgbaOfItsLayoutSize) {
  const EditorImage& image = GetParam();
  std::vector<uint8_t> bytes = ReadCommittedImage(image);
  ASSERT_GE(bytes.size(), 33u) << CommittedImagePath(image);
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (int i = 0; i < 8; ++i) ASSERT_EQ(bytes[i], kSignature[i]);
  ASSERT_EQ(std::string(reinterpret_cast<const char*>(&bytes[12]), 4), "IHDR");
  EXPECT_EQ(BigEndian32(&bytes[16]), uint32_t(image.width));
  EXPECT_EQ(BigEndian32(&bytes[20]), uint32_t(image.height));
  EXPECT_EQ(bytes[24], 8) << "bit depth";
  EXPECT_EQ(bytes[25], 6) << "colour type (RGBA)";

  Picture p = Decode(image);
  EXPECT_EQ(p.width, image.width);
  EXPECT_EQ(p.height, image.height);
}

TEST_P(EditorImageTest, FramesFitTheStripAndDiffer) {
  const EditorImage& image = GetParam();
  if (image.frames == 1) return;
  // Every strip divides evenly but the amplifier's, whose 12 frames of 466 rows sit at
  // rounded origins; the last one must still fit.
  if (std::string(image.name) != "amps") {
    EXPECT_EQ(image.height % image.frames, 0);
  }
  EXPECT_LE(FrameTop(image, image.frames) + FrameHeight(image), image.height);
  Picture p = Decode(image);
  ASSERT_EQ(p.height, image.height);
  // Only the amplifier's first two frames are ever shown; in every other strip each frame
  // shows a different state from the one before.
  int shown = std::string(image.name) == "amps" ? 2 : image.frames;
  for (int k = 2; k <= shown; ++k) {
    EXPECT_FALSE(FramesEqual(p, image, k - 1, k)) << image.name << " frame " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(All, EditorImageTest, ::testing::ValuesIn(kEditorImages),
                         [](const ::testing::TestParamInfo<EditorImage>& info) { return std::string(info.param.name); });

// The pictures the editor shows as panels cover what lies under them: the background, the
// amplifier's two faces, the pedal and the credits.
TEST(EditorImages, PanelsAreOpaque) {
  struct Case {
    const char* name;
    int frames;  // leading frames to check
  };
  for (const Case& c : {Case{"bg", 1}, Case{"amps", 2}, Case{"pedal", 1}, Case{"credits", 1}}) {
    const EditorImage& image = Find(c.name);
    Picture p = Decode(image);
    ASSERT_EQ(p.height, image.height);
    int translucent = 0;
    for (int k = 1; k <= c.frames; ++k) {
      for (int y = FrameTop(image, k); y < FrameTop(image, k) + FrameHeight(image); ++y) {
        for (int x = 0; x < p.width; ++x) translucent += (p.At(x, y) >> 24) != 0xFF;
      }
    }
    EXPECT_EQ(translucent, 0) << c.name;
  }
}

double Luma(uint32_t argb) {
  return 0.299 * ((argb >> 16) & 0xFF) + 0.587 * ((argb >> 8) & 0xFF) + 0.114 * (argb & 0xFF);
}

// Each knob's pointer, found as the bright pixels in a ring between its cap and its rim,
// points at the frame's angle: 7:30 o'clock (-135 degrees) in frame 1, 4:30 (+135) in the last.
TEST(EditorImages, KnobPointersTurnFromMinimumToMaximum) {
  struct Case {
    const char* name;
    double inner, outer;  // radii of the ring the pointer crosses
  };
  for (const Case& c : {Case{"knob", 13.5, 17.0}, Case{"bknob", 8.0, 10.5}, Case{"miniknob", 7.0, 9.2},
                        Case{"pedalknob", 10.5, 14.0}}) {
    const EditorImage& image = Find(c.name);
    Picture p = Decode(image);
    ASSERT_EQ(p.height, image.height);
    const double centre = image.width / 2.0;
    for (int k = 1; k <= image.frames; ++k) {
      double sx = 0, sy = 0;
      int count = 0;
      for (int y = 0; y < FrameHeight(image); ++y) {
        for (int x = 0; x < image.width; ++x) {
          double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
          double r = std::hypot(dx, dy);
          uint32_t px = p.At(x, FrameTop(image, k) + y);
          if (r < c.inner || r > c.outer || (px >> 24) < 0xE0 || Luma(px) < 200) continue;
          sx += dx;
          sy += dy;
          ++count;
        }
      }
      ASSERT_GT(count, 0) << c.name << " frame " << k;
      double angle = std::atan2(sx, -sy) * 180.0 / 3.141592653589793;
      double expected = -135.0 + 270.0 * (k - 1) / (image.frames - 1);
      EXPECT_NEAR(angle, expected, 8.0) << c.name << " frame " << k;
    }
  }
}

// The level ring under each mini knob: frame 1 is dark, and every frame is at least as bright
// as the one before, the last much brighter than the first.
TEST(EditorImages, LevelRingLightsUpWithTheFrame) {
  const EditorImage& image = Find("vuknob");
  Picture p = Decode(image);
  ASSERT_EQ(p.height, image.height);
  std::vector<double> light;
  for (int k = 1; k <= image.frames; ++k) {
    double sum = 0;
    for (int y = 0; y < FrameHeight(image); ++y) {
      for (int x = 0; x < image.width; ++x) {
        uint32_t px = p.At(x, FrameTop(image, k) + y);
        sum += Luma(px) * (px >> 24) / 255.0;
      }
    }
    light.push_back(sum);
  }
  for (size_t k = 1; k < light.size(); ++k) EXPECT_GE(light[k], light[k - 1]) << "frame " << k + 1;
  EXPECT_GT(light.back(), 3.0 * light.front());
}

// The mini knob is drawn over its level ring: beyond radius 12 every frame is transparent.
TEST(EditorImages, MiniKnobLeavesTheRingVisible) {
  const EditorImage& image = Find("miniknob");
  Picture p = Decode(image);
  ASSERT_EQ(p.height, image.height);
  int covering = 0;
  for (int k = 1; k <= image.frames; ++k) {
    for (int y = 0; y < FrameHeight(image); ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (std::hypot(x + 0.5 - 15.0, y + 0.5 - 15.0) < 12.0) continue;
        covering += (p.At(x, FrameTop(image, k) + y) >> 24) != 0;
      }
    }
  }
  EXPECT_EQ(covering, 0);
}

}  // namespace
}  // namespace kavrotel
