// CTextConverterDriver converts a document with the platform's text converters (DLLs named *.cnv
// or *.wpc in the converter folder, called through their published entry points): the converter
// that imports the requested class turns the input into RTF in a temporary file, the one that
// exports the requested class writes the output from that RTF. Diagnostics go to the standard
// error stream, under the driver's name "zavozar".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CTextConverterDriver {
public:
    CTextConverterDriver();
    virtual ~CTextConverterDriver();

    // 0 when the input was imported and the output written; 1 on an error (no converter folder,
    // equal classes, no temporary file, or a failed import or export: a failed export may have
    // written part of the output, which the caller then must not use), 2 on unusable arguments
    // (missing, or longer than 259 bytes).
    int Convert(const char* importClass, const char* exportClass, const char* inputPath, const char* outputPath);

    // One class that a converter names.
    struct Record {
        std::string file;  // the converter's file name in the folder
        std::string className;
        std::string description;
        std::string extensions;
        int kind = 0;  // 0 import, 1 export
    };
    // The classes found by the last conversion's discovery.
    const std::vector<Record>& Records() const { return m_records; }

    // The folder searched: ZAVOZAR_DIR, else the shared converter folder.
    static std::wstring ConverterFolder();

private:
    struct Loaded;
    int Discover();
    bool Load(const std::string& file, Loaded& converter);
    void Unload(Loaded& converter);
    int Import(const char* inputPath, const char* importClass);
    int Export(const char* outputPath, const char* exportClass);
    void ReportConverterError(const Loaded& converter, int code, const char* path);
    void AppendNames(const std::string& file, HGLOBAL classes, HGLOBAL descriptions, HGLOBAL extensions, int kind);

    std::wstring m_folder;
    std::vector<Record> m_records;
};
