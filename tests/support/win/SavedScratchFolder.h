#pragma once
// The program's scratch folder "ssss" in the user's temporary folder, put back as a test program
// found it: the program's clean-up (on Back, at a restart and at exit) empties and removes that
// folder, so what was there is moved aside for the run and moved back at its end, after whatever
// the run left there is removed.

#include <string>

namespace morvick::test {

class SavedScratchFolder {
public:
    SavedScratchFolder();
    ~SavedScratchFolder() { Restore(); }
    // Puts the folder back now (for a program that ends without running destructors); once.
    void Restore();
    SavedScratchFolder(const SavedScratchFolder&) = delete;
    SavedScratchFolder& operator=(const SavedScratchFolder&) = delete;

private:
    std::wstring m_folder;  // empty when the temporary folder cannot be told, or the folder found
                            // could not be moved aside
    std::wstring m_kept;    // where the folder found waits; empty when there was none
};

}  // namespace morvick::test
