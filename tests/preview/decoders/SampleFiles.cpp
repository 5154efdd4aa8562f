#include "tests/preview/decoders/SampleFiles.h"

#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"

#include <cstdlib>
#include <sstream>

namespace morvick::test {

std::vector<SampleEntry> ReadSampleList(const std::string& script, const std::string& list) {
  std::vector<SampleEntry> entries;
  std::istringstream lines(ReadTextFile(FixtureFile(script, list)));
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    SampleEntry e;
    words >> e.name;
    if (e.name.empty()) continue;
    if (list == "broken.txt") {
      words >> e.where;
    } else {
      words >> e.width >> e.height >> e.tolerance >> e.where;
    }
    entries.push_back(e);
  }
  return entries;
}

std::vector<uint8_t> ReadSample(const std::string& script, const std::string& name) {
  return ReadBinaryFile(FixtureFile(script, name));
}

std::string ExtensionOf(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

PictureDifference CompareWithRgb(const RasterImage& image, const std::vector<uint8_t>& rgb, uint32_t width,
                                 uint32_t height) {
  PictureDifference d;
  if (image.Width() != width || image.Height() != height || rgb.size() != size_t(width) * height * 3) return d;
  d.worst = 0;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      Rgb c = image.At(x, y);
      const uint8_t* o = &rgb[(size_t(y) * width + x) * 3];
      int diff = std::max({std::abs(c.r - o[0]), std::abs(c.g - o[1]), std::abs(c.b - o[2])});
      if (diff > d.worst) {
        d.worst = diff;
        d.x = x;
        d.y = y;
      }
    }
  }
  return d;
}

}  // namespace morvick::test
