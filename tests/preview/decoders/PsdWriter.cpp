#include "tests/preview/decoders/PsdWriter.h"

namespace morvick::test {

void PutBig(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> PsdWriter::Bytes() const {
  std::vector<uint8_t> out(signature.begin(), signature.end());
  PutBig(out, version, 2);
  out.insert(out.end(), reserved, reserved + 6);
  PutBig(out, channels, 2);
  PutBig(out, height, 4);
  PutBig(out, width, 4);
  PutBig(out, depth, 2);
  PutBig(out, mode, 2);
  PutBig(out, static_cast<uint32_t>(colorModeData.size()), 4);
  out.insert(out.end(), colorModeData.begin(), colorModeData.end());

  std::vector<uint8_t> section;
  for (const PsdResource& r : resources) {
    section.insert(section.end(), {'8', 'B', 'I', 'M'});
    PutBig(section, r.id, 2);
    section.push_back(static_cast<uint8_t>(r.name.size()));
    section.insert(section.end(), r.name.begin(), r.name.end());
    if (r.name.size() % 2 == 0) section.push_back(0);
    PutBig(section, static_cast<uint32_t>(r.data.size()), 4);
    section.insert(section.end(), r.data.begin(), r.data.end());
    if (r.data.size() % 2 == 1) section.push_back(0);
  }
  PutBig(out, overrideResourceLength ? resourceLength : static_cast<uint32_t>(section.size()), 4);
  out.insert(out.end(), section.begin(), section.end());
  PutBig(out, static_cast<uint32_t>(layerData.size()), 4);
  out.insert(out.end(), layerData.begin(), layerData.end());
  PutBig(out, compression, 2);
  out.insert(out.end(), imageData.begin(), imageData.end());
  return out;
}

void PsdWriter::SetRleImage(const std::vector<uint8_t>& planes) {
  const size_t rowBytes = static_cast<size_t>(width) * (depth / 8);
  std::vector<std::vector<uint8_t>> rows;
  for (size_t start = 0; start + rowBytes <= planes.size(); start += rowBytes) {
    // Literal runs of at most 128 bytes.
    std::vector<uint8_t> packed;
    for (size_t i = 0; i < rowBytes; i += 128) {
      size_t n = rowBytes - i < 128 ? rowBytes - i : 128;
      packed.push_back(static_cast<uint8_t>(n - 1));
      packed.insert(packed.end(), planes.begin() + start + i, planes.begin() + start + i + n);
    }
    rows.push_back(packed);
  }
  compression = 1;
  imageData.clear();
  for (const auto& r : rows) PutBig(imageData, static_cast<uint32_t>(r.size()), 2);
  for (const auto& r : rows) imageData.insert(imageData.end(), r.begin(), r.end());
}

}  // namespace morvick::test
