// CPSDDecoder: a Photoshop document read from a file into a 24-bit DIB section (bottom-up, with
// the document's resolution), for the PSD view to stretch. The bytes are read by PsdReader, which
// checks every size and length; the pixels go into the section's bits in one pass.
#pragma once

#include "preview/decoders/PsdReader.h"

#include <windows.h>

class CPSDDecoder {
 public:
  CPSDDecoder();
  ~CPSDDecoder();
  CPSDDecoder(const CPSDDecoder&) = delete;
  CPSDDecoder& operator=(const CPSDDecoder&) = delete;

  // The result codes of PsdReader; -1 when the file cannot be opened or read, -9 when the bitmap
  // cannot be made. Code 0 may come without a bitmap (the file ended before its picture).
  int Load(LPCWSTR lpszPath);
  // The bitmap, handed over: from now on the caller deletes it.
  HBITMAP GetBitmap();
  bool HasBitmap() const { return m_hBitmap != NULL; }

  const morvick::PsdHeader& Header() const { return m_reader.Header(); }
  const morvick::PsdReader& Reader() const { return m_reader; }

 private:
  bool CreateDib();

  HBITMAP m_hBitmap;
  bool m_bHandedOut;
  morvick::PsdReader m_reader;
};

// The largest document the decoder reads.
constexpr size_t kMaxPsdFileBytes = 256u * 1024u * 1024u;
