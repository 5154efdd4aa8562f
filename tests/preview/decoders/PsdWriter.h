// Builds Photoshop documents byte by byte for the reader's tests: any header, resources and
// picture data, well-formed or not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvick::test {

struct PsdResource {
  uint16_t id = 0;
  std::string name;
  std::vector<uint8_t> data;
};

struct PsdWriter {
  std::string signature = "8BPS";
  uint16_t version = 1;
  uint8_t reserved[6] = {0, 0, 0, 0, 0, 0};
  uint16_t channels = 3;
  uint32_t height = 2;
  uint32_t width = 2;
  uint16_t depth = 8;
  uint16_t mode = 3;
  std::vector<uint8_t> colorModeData;
  std::vector<PsdResource> resources;
  // When set, the resource section's length field says this instead of the real length.
  bool overrideResourceLength = false;
  uint32_t resourceLength = 0;
  std::vector<uint8_t> layerData;
  uint16_t compression = 0;
  // Planes one after the other (raw), or the row counts and rows (run-length, see Rle).
  std::vector<uint8_t> imageData;

  std::vector<uint8_t> Bytes() const;

  // Run-length image data of planes given one after the other (each row of width x bytes per
  // sample bytes packed on its own), with the table of row byte counts in front.
  void SetRleImage(const std::vector<uint8_t>& planes);
};

void PutBig(std::vector<uint8_t>& out, uint32_t value, int bytes);

}  // namespace morvick::test
