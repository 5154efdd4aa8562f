// The platform's decoders for what our decoders leave: WIC (TIFF, icons, compressed BMP and the
// rest it knows) and GDI's metafile player (EMF, and WMF with or without its placeable header).
#pragma once

#include "preview/decoders/RasterImage.h"

#include <windows.h>

#include <cstddef>

bool DecodeWithWic(const BYTE* pData, size_t nSize, morvick::RasterImage& out);
bool DecodeMetafile(const BYTE* pData, size_t nSize, morvick::RasterImage& out);
