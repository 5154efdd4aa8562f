// The menu sound player: the system's "MenuPopup" sound when a popup opens and "MenuCommand" when a
// control runs its command, played on a background thread so that the user-interface thread never
// waits for a sound. Requests are best effort: two within one polling round leave only the later.
#pragma once

#include "classlib/win/AfxWin.h"

#include <atomic>

class CTKPSoundPlayer {
public:
    enum Sound { soundNone = 0, soundMenuCommand = 1, soundMenuPopup = 2, soundStop = 3 };

    CTKPSoundPlayer();
    ~CTKPSoundPlayer();

    // Starts the player thread when it is not running, then records the request (1 or 2).
    void Play(int nSound);
    // Asks the thread to end, waits for it at most 100 ms and forgets it.
    void Stop();

    void EnableSounds(BOOL bEnable) { m_bEnabled = bEnable; }
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsRunning() const { return m_hThread != NULL; }

    // The call that plays a sound (PlaySoundW by default); tests put a recorder in its place.
    typedef BOOL(WINAPI* PlaySoundFunc)(LPCWSTR pszSound, HMODULE hModule, DWORD fdwSound);
    static void SetPlaySoundFunction(PlaySoundFunc pfn);

private:
    static DWORD WINAPI ThreadProc(LPVOID pParam);
    void Run(int nGeneration);

    // Shared with the player thread: the UI thread writes 1-3, the player writes 0 after playing.
    // Atomic: a plain word written by one thread and read by the other is a data race.
    std::atomic<int> m_nRequest;
    // Raised by every Stop: a thread that outlived its 100 ms ends at its next round instead of
    // playing on beside the next one.
    std::atomic<int> m_nGeneration;
    // The generation of the last thread started. A thread that ends after a newer one started
    // leaves the sound alone: purging would cut the newer thread's sound.
    std::atomic<int> m_nStartedGeneration;
    // Set while an ending thread purges; a new thread waits for it before its first sound.
    std::atomic<int> m_nPurging;
    BOOL m_bEnabled;
    HANDLE m_hThread;
};

// The process-wide player.
CTKPSoundPlayer* TKPGetSoundPlayer();
// Stops the process-wide player's thread (the command bars' destructor calls it).
void CTKPSoundPlayerStop();
