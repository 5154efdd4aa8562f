// Archives over memory for the settings-exchange tests: store, take the bytes, load them back
// (whole, cut short or altered).
#pragma once

#include "classlib/core/CArchive.h"
#include "classlib/core/CMemFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

class StoredBytes
{
public:
  StoredBytes() : m_file(new CMemFile(1024)), m_ar(new CArchive(m_file.get(), CArchive::store)) {}

  CArchive& Archive() { return *m_ar; }

  // Flushes and returns what was written.
  std::vector<BYTE> Finish()
  {
    m_ar->Close();
    const BYTE* p = m_file->GetBufferPtr();
    std::vector<BYTE> bytes(p, p + static_cast<size_t>(m_file->GetLength()));
    return bytes;
  }

private:
  std::unique_ptr<CMemFile> m_file;
  std::unique_ptr<CArchive> m_ar;
};

class LoadedBytes
{
public:
  explicit LoadedBytes(std::vector<BYTE> bytes)
      : m_bytes(std::move(bytes)),
        m_file(new CMemFile(m_bytes.empty() ? nullptr : m_bytes.data(), static_cast<UINT>(m_bytes.size()))),
        m_ar(new CArchive(m_file.get(), CArchive::load))
  {
  }
  ~LoadedBytes()
  {
    m_ar->Abort();
    m_ar.reset();
    m_file->Detach();
  }

  CArchive& Archive() { return *m_ar; }

private:
  std::vector<BYTE> m_bytes;
  std::unique_ptr<CMemFile> m_file;
  std::unique_ptr<CArchive> m_ar;
};

// Archives the tests write seed the settings-archive fuzzer.
inline void WriteFuzzSeed(const std::vector<BYTE>& bytes, const std::string& name)
{
  const char* binary = std::getenv("MORVICK_BINARY_DIR");
  if (!binary)
    return;
  const std::filesystem::path folder = std::filesystem::path(binary) / "fuzz-seeds" / "fuzz_settings_archive";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::ofstream out(folder / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
