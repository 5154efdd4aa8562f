#include "preview/win/pane/PreviewDispatch.h"

namespace {

struct DispatchRow {
  PreviewSender sender;
  const wchar_t* extensions[23];
};

// In this order; the first row that holds the extension wins.
const DispatchRow kRows[] = {
    {kSendImage, {L".png", L".j2k", L".jp2", L".j2c", L".jpc", L".jpeg", L".pcx", L".pnm", L".pgm", L".ppm", L".bmp",
                  L".tga", L".tif", L".tiff", L".jpg"}},
    {kSendIcon, {L".ico", L".emf"}},
    {kSendHtml, {L".gif", L".qdoc", L".xls", L".xlsx", L".htm", L".mht"}},
    {kSendCustomHtml, {L".html"}},
    {kSendDocument, {L".pdf", L".rtf", L".doc", L".docx"}},
    {kSendArchive, {L".zip", L".cab", L".rar"}},
    {kSendPsd, {L".psd"}},
    {kSendAvi, {L".avi"}},
    {kSendMedia, {L".wmv", L".asf", L".wm", L".wma", L".wav", L".snd", L".au", L".aif", L".mpeg", L".mpg", L".m1v",
                  L".mp2", L".mpa", L".mid", L".rmi", L".midi", L".dvr-ms", L".wvx", L".wmx", L".asx", L".mp3", L".dat"}},
    {kSendPowerPoint, {L".ppt", L".pptx"}},
    {kSendDbf, {L".dbf"}},
    {kSendAccess, {L".mdb"}},
    {kSendSourceText, {L".c", L".cpp", L".h", L".hpp"}},
    {kSendPlainText, {L".txt", L".ini", L".xml"}},
    {kSendDxf, {L".dxf"}},
    {kSendLargeFile, {L".largefile"}},
};

}  // namespace

PreviewSender PreviewSenderOf(const CString& strExtension) {
  for (const DispatchRow& row : kRows)
    for (const wchar_t* ext : row.extensions)
      if (ext != nullptr && strExtension == ext) return row.sender;
  return kSendNone;
}

int IsPreviewableExtension(CString, CString strExtension) {
  // The previewable extensions are exactly those of the dispatch rows.
  return PreviewSenderOf(strExtension) != kSendNone ? 1 : 0;
}
