// The sample pictures of a fixture script: their list, their bytes and ImageMagick's decoding.
#pragma once

#include "preview/decoders/RasterImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvick::test {

struct SampleEntry {
  std::string name;
  uint32_t width = 0;
  uint32_t height = 0;
  int tolerance = 0;
  std::string where;  // "all" or "windows" in samples.txt; the kind in broken.txt
};

// The rows of a list file of the script's folder ("samples.txt", "broken.txt").
std::vector<SampleEntry> ReadSampleList(const std::string& script, const std::string& list);

std::vector<uint8_t> ReadSample(const std::string& script, const std::string& name);

// The extension of a name, without its dot.
std::string ExtensionOf(const std::string& name);

// The largest difference of one colour channel between the picture and the oracle's RGB bytes,
// and where it is; -1 when the sizes differ.
struct PictureDifference {
  int worst = -1;
  uint32_t x = 0, y = 0;
};
PictureDifference CompareWithRgb(const RasterImage& image, const std::vector<uint8_t>& rgb, uint32_t width,
                                 uint32_t height);

}  // namespace morvick::test
