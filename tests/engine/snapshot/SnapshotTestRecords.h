// Builders for the engine's found-entry records, and an observer that records the messages shown.
#pragma once

#include "engine/ScanObserver.h"
#include "engine/state/EngineState.h"

#include <string>
#include <utility>
#include <vector>

// The creation time that the MFT entries and NTFS file records made here carry, and that the test
// volumes' FILE records carry in their $FILE_NAME.
constexpr uint64_t kTestFileCreationTime = 0x01C6000033333333ull;
// The MFT-change time that the MFT entries made here and the test volumes' FILE records carry.
constexpr uint64_t kTestFileChangeTime = 0x01C7000044444444ull;
// The dates of the FAT files and folders made here, which the test volumes' entries carry too.
constexpr uint16_t kTestFileWriteDate = 0x3065;
constexpr uint16_t kTestFileAccessDate = 0x3066;

// A volume-parameter block of every field set (the browsed and chosen type as given), device index 2
// and an image as the source.
void SetSnapshotTestBlock(FileSystemKind browsed);

FatFolderRecord* AddFatFolder(const std::u16string& name, uint32_t cluster, uint32_t parent, uint32_t deleted = 0);
FatEntryRecord* AddFatFile(const std::u16string& name, uint32_t cluster, uint32_t parent, uint32_t size,
    uint32_t deleted = 0);
NtfsFolderRecord* AddNtfsFolder(const std::u16string& name, uint32_t number, uint32_t parent, uint32_t deleted = 0);
MftEntryRecord* AddMftEntry(const std::u16string& name, uint32_t number, uint32_t parent, uint64_t size,
    uint32_t sector, uint32_t deleted = 0);
NtfsFileRecord* AddNtfsFileRecord(const std::u16string& name, uint32_t sector, uint32_t parent, uint64_t size);
TraceHitRecord* AddTraceHit(const std::u16string& ext, const std::u16string& description, const char* signature);
TracedFileRecord* AddTracedFile(const std::u16string& name, const std::u16string& ext, const std::u16string& type,
    uint32_t sector, uint32_t hit);
// One record in each list a snapshot stores, with names that are long, non-ASCII or outside the
// Basic Multilingual Plane.
void AddOneRecordOfEveryList();

// Installs itself for its lifetime; answers questions with `answer`. Messages and questions are
// recorded in the order shown, with their kinds; the texts of yes/no questions with their own icon
// are recorded again in `questions`.
class RecordingObserver : public ScanObserver {
public:
    explicit RecordingObserver(bool answer = false);
    ~RecordingObserver() override;
    bool OnMessage(const std::u16string& text, MessageKind kind) override;
    bool OnQuestion(const std::u16string& text, MessageKind kind) override;

    std::vector<std::pair<std::u16string, MessageKind>> messages;
    std::vector<std::u16string> questions;

private:
    bool m_answer;
    ScanObserver* m_previous;
};
