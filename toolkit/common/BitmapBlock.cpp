#include "toolkit/common/BitmapBlock.h"

#include <cstring>

namespace {

std::int32_t ReadInt32(const std::uint8_t* p)
{
  return static_cast<std::int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

// Largest image accepted: far beyond any command icon, small enough to allocate.
const std::int64_t kMaxPixels = 4096 * 4096;

void SkipBytes(CArchive& ar, std::uint64_t count)
{
  std::uint8_t buffer[512];
  while (count > 0) {
    const UINT chunk = count > sizeof(buffer) ? static_cast<UINT>(sizeof(buffer)) : static_cast<UINT>(count);
    if (ar.Read(buffer, chunk) != chunk)
      AfxThrowArchiveException(CArchiveException::endOfFile);
    count -= chunk;
  }
}

void ReadExact(CArchive& ar, void* p, UINT count)
{
  if (ar.Read(p, count) != count)
    AfxThrowArchiveException(CArchiveException::endOfFile);
}

}  // namespace

std::int32_t TKPBitmapBlock::Width() const { return ReadInt32(header + 4); }
std::int32_t TKPBitmapBlock::Height() const { return ReadInt32(header + 8); }
std::uint16_t TKPBitmapBlock::BitCount() const { return static_cast<std::uint16_t>(header[14] | header[15] << 8); }

void TKPWriteBitmapBlock(CArchive& ar, const TKPBitmapBlock& block)
{
  if (block.IsEmpty()) {
    ar.WriteCount(0);
    return;
  }
  ar.WriteCount(TKPBitmapBlock::kHeaderSize);
  ar.Write(block.header, TKPBitmapBlock::kHeaderSize);
  ar.WriteCount(static_cast<DWORD_PTR>(block.pixels.size()));
  ar.Write(block.pixels.data(), static_cast<UINT>(block.pixels.size()));
}

void TKPReadBitmapBlock(CArchive& ar, TKPBitmapBlock& block)
{
  block = TKPBitmapBlock();
  const std::uint64_t headerSize = ar.ReadCount();
  if (headerSize == 0)
    return;
  bool valid = headerSize >= TKPBitmapBlock::kInfoHeaderSize && headerSize <= TKPBitmapBlock::kHeaderSize;
  if (valid)
    ReadExact(ar, block.header, static_cast<UINT>(headerSize));
  else
    SkipBytes(ar, headerSize);

  const std::uint64_t pixelSize = ar.ReadCount();
  const std::int64_t width = block.Width();
  const std::int64_t height = block.Height() < 0 ? -static_cast<std::int64_t>(block.Height()) : block.Height();
  const std::uint16_t bits = block.BitCount();
  valid = valid && width > 0 && height > 0 && width * height <= kMaxPixels &&
          (bits == 1 || bits == 16 || bits == 24 || bits == 32) &&
          pixelSize == static_cast<std::uint64_t>(width * height * 4);
  if (!valid) {
    SkipBytes(ar, pixelSize);
    std::memset(block.header, 0, sizeof(block.header));
    return;
  }
  block.pixels.resize(static_cast<size_t>(pixelSize));
  ReadExact(ar, block.pixels.data(), static_cast<UINT>(pixelSize));
}
