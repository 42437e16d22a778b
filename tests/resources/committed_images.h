// The committed file of each editor image (resources/img/<name>.png), read whole into memory,
// for the tests that hold the images or a module's copies of them against the files. The test
// target defines KAVROTEL_IMAGE_DIR as that folder. Test code only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/resources/editor_images.h"

#ifndef KAVROTEL_IMAGE_DIR
#error "KAVROTEL_IMAGE_DIR names the folder of the committed images"
#endif

namespace kavrotel {
namespace test {

inline std::string CommittedImagePath(const EditorImage& image) {
  return std::string(KAVROTEL_IMAGE_DIR) + "/" + image.name + ".png";
}

// The file's bytes; empty when it cannot be read.
inline std::vector<uint8_t> ReadCommittedImage(const EditorImage& image) {
  std::vector<uint8_t> bytes;
  if (FILE* f = std::fopen(CommittedImagePath(image).c_str(), "rb")) {
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
  }
  return bytes;
}

}  // namespace test
}  // namespace kavrotel
