// WIC from memory: the first frame converted to 32-bit BGRA and laid over white.
#include "preview/win/imaging/PlatformDecoders.h"

#include <wincodec.h>

#include <vector>

namespace {

template <class T>
void Release(T*& p) {
  if (p != NULL) {
    p->Release();
    p = NULL;
  }
}

}  // namespace

bool DecodeWithWic(const BYTE* pData, size_t nSize, morvick::RasterImage& out) {
  out.Clear();
  if (pData == NULL || nSize == 0 || nSize > 0x7FFFFFFF) return false;
  HRESULT hrInit = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = NULL;
  IWICStream* stream = NULL;
  IWICBitmapDecoder* decoder = NULL;
  IWICBitmapFrameDecode* frame = NULL;
  IWICFormatConverter* converter = NULL;
  UINT width = 0, height = 0;
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                       reinterpret_cast<void**>(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(pData), static_cast<DWORD>(nSize))) &&
            SUCCEEDED(factory->CreateDecoderFromStream(stream, NULL, WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height)) &&
            morvick::RasterImage::SizeAllowed(width, height) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
            SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, NULL, 0.0,
                                            WICBitmapPaletteTypeCustom));
  if (ok) {
    std::vector<BYTE> pixels;
    try {
      pixels.resize(static_cast<size_t>(width) * height * 4);
    } catch (...) {
      ok = false;
    }
    ok = ok && SUCCEEDED(converter->CopyPixels(NULL, width * 4, static_cast<UINT>(pixels.size()), pixels.data())) &&
         out.Allocate(width, height);
    if (ok) {
      const BYTE* p = pixels.data();
      for (UINT y = 0; y < height; ++y)
        for (UINT x = 0; x < width; ++x, p += 4)
          out.Set(x, y, morvick::OverWhite(p[2], p[3]), morvick::OverWhite(p[1], p[3]), morvick::OverWhite(p[0], p[3]));
    }
  }
  Release(converter);
  Release(frame);
  Release(decoder);
  Release(stream);
  Release(factory);
  if (SUCCEEDED(hrInit)) CoUninitialize();
  if (!ok) out.Clear();
  return ok;
}
