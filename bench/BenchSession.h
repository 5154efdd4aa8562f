// What the scan and load commands of morvick-bench share: opening an image as the start page does,
// finding its partitions as the drive page does, an observer that prints the engine's messages,
// and the one JSON line of results.
#pragma once

#include "BenchStop.h"

#include "engine/ScanObserver.h"
#include "engine/image/VirtualDisk.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Prints messages to standard error and answers every question yes (go on with the recovery); passes
// each pause point to the stop point, when there is one.
class BenchObserver : public ScanObserver {
public:
    bool OnMessage(const std::u16string& text, MessageKind kind) override;
    void OnPausePoint() override;

    BenchStop* stop = nullptr;
};

// Resets the engine, opens the image (VHD or VHDX by its identifier) and makes it the source with
// its geometry. False, with a message on standard error, when it cannot be opened.
bool OpenBenchImage(const std::string& path, CVirtualDisk& disk);

// An image opened as the program's source (OpenBenchImage) with a BenchObserver installed, from
// construction on, that passes its pause points to `stop` where given; both are undone when it goes.
class BenchImage {
public:
    explicit BenchImage(const std::string& path, BenchStop* stop = nullptr);
    ~BenchImage();
    bool Opened() const { return m_opened; }

private:
    BenchObserver m_observer;
    ScanObserver* m_previous;
    CVirtualDisk m_disk;
    bool m_opened;
};

// Walks the partition table (MBR at 0, else 61 or 62) and searches the disk when it holds nothing.
void FindBenchPartitions();

// The value after "--mode" in the arguments of `scan`, empty when there is none.
std::string BenchScanMode(const std::vector<std::string>& args);

// Chooses partition `index` of the table as the partition page does.
void ChooseBenchPartition(uint32_t index);

// The partitions named by --partition: "all" (every one, in order) or one index that `partitions`
// prints. False, with a message on standard error, for any other text.
bool ParseBenchPartitions(const std::string& text, std::vector<uint32_t>& chosen);

struct BenchTotals {
    const char* mode = "quick";
    unsigned partitions = 0;
    unsigned long long folders = 0, files = 0, deletedFiles = 0;
    double seconds = 0;
};

// The partition loop of the scan commands: opens the image with a BenchObserver installed (passing its
// pause points to `stop` where given), finds its partitions, calls prepare (when given; false ends the command with exit code 1 before any scan),
// and for each partition named by `partition` chooses it and calls scanPartition with its index
// (false: the partition failed, exit code 1); then prints the JSON line of totals. Returns the exit
// code; 1 when the image can't be opened or there is no such partition.
int RunBenchPartitionScans(const std::string& image, const std::string& partition, BenchTotals& totals,
    const std::function<bool()>& prepare, const std::function<bool(uint32_t index)>& scanPartition,
    BenchStop* stop = nullptr);

// Makes the folder that --out names (its parent must exist); true for an empty name. False, with a
// message on standard error, when it is not there and cannot be made: every file would fail to save.
bool MakeBenchOutFolder(const std::string& out);

// Runs the Quick Scan on the chosen partition `index`, watched by `stop` (see BenchStop; a scan stopped
// keeps what it found); false, with the program's message on standard error, when it has no usable
// parameters.
bool QuickScanBenchPartition(uint32_t index, BenchStop& stop);

// "partition N", as the scan commands name a partition on standard error.
std::string BenchPartitionName(uint32_t index);

// Adds the current found-entry lists to the totals.
void CountFoundEntries(BenchTotals& totals);

// Prints the JSON line, with the save report's counts.
void PrintBenchTotals(const BenchTotals& totals);

// Seconds since an arbitrary start.
double BenchClock();
