#include "toolkit/commandbars/SoundPlayer.h"

#include <mmsystem.h>

namespace {

BOOL WINAPI SystemPlaySound(LPCWSTR pszSound, HMODULE hModule, DWORD fdwSound)
{
    return ::PlaySoundW(pszSound, hModule, fdwSound);
}

std::atomic<CTKPSoundPlayer::PlaySoundFunc> g_pfnPlaySound(&SystemPlaySound);

struct PlayerStart {
    CTKPSoundPlayer* pPlayer;
    int nGeneration;
};

CTKPSoundPlayer g_soundPlayer;

}  // namespace

CTKPSoundPlayer::CTKPSoundPlayer()
    : m_nRequest(soundNone), m_nGeneration(0), m_nStartedGeneration(-1), m_nPurging(0), m_bEnabled(TRUE),
      m_hThread(NULL)
{}

CTKPSoundPlayer::~CTKPSoundPlayer()
{
    Stop();
}

void CTKPSoundPlayer::SetPlaySoundFunction(PlaySoundFunc pfn)
{
    g_pfnPlaySound = pfn != NULL ? pfn : &SystemPlaySound;
}

void CTKPSoundPlayer::Play(int nSound)
{
    if (!m_bEnabled || (nSound != soundMenuCommand && nSound != soundMenuPopup))
        return;
    if (m_hThread == NULL) {
        m_nRequest = soundNone;
        // Marked before the thread exists, so that an older thread still ending sees it.
        m_nStartedGeneration = m_nGeneration.load();
        PlayerStart* pStart = new PlayerStart{this, m_nGeneration.load()};
        DWORD dwId = 0;
        m_hThread = ::CreateThread(NULL, 0, &CTKPSoundPlayer::ThreadProc, pStart, CREATE_SUSPENDED, &dwId);
        if (m_hThread == NULL) {
            delete pStart;
            return;
        }
        ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
        ::ResumeThread(m_hThread);
    }
    m_nRequest = nSound;
}

void CTKPSoundPlayer::Stop()
{
    if (m_hThread == NULL)
        return;
    ++m_nGeneration;
    m_nRequest = soundStop;
    ::WaitForSingleObject(m_hThread, 100);
    ::CloseHandle(m_hThread);
    m_hThread = NULL;
}

DWORD WINAPI CTKPSoundPlayer::ThreadProc(LPVOID pParam)
{
    PlayerStart start = *static_cast<PlayerStart*>(pParam);
    delete static_cast<PlayerStart*>(pParam);
    start.pPlayer->Run(start.nGeneration);
    return 0;
}

void CTKPSoundPlayer::Run(int nGeneration)
{
    // An older thread may be purging on its way out: its purge must not land on this one's sound.
    while (m_nPurging.load() != 0)
        ::Sleep(1);
    while (m_nGeneration.load() == nGeneration) {
        int nRequest = m_nRequest.load();
        if (nRequest == soundStop)
            break;
        if (nRequest == soundMenuCommand || nRequest == soundMenuPopup) {
            g_pfnPlaySound.load()(nRequest == soundMenuCommand ? L"MenuCommand" : L"MenuPopup", NULL,
                SND_ALIAS | SND_NOWAIT | SND_NODEFAULT);
            // Only the request just played is cleared: a newer one waits its turn and a stop request
            // written meanwhile is never overwritten.
            m_nRequest.compare_exchange_strong(nRequest, soundNone);
        }
        ::Sleep(5);
    }
    // A thread that outlived its Stop purges only while no newer thread has started. The purging
    // mark is set before the second look, so a newer thread either is seen here or waits above.
    if (m_nStartedGeneration.load() != nGeneration)
        return;
    m_nPurging = 1;
    if (m_nStartedGeneration.load() == nGeneration)
        g_pfnPlaySound.load()(NULL, NULL, SND_PURGE);
    m_nPurging = 0;
}

CTKPSoundPlayer* TKPGetSoundPlayer()
{
    return &g_soundPlayer;
}

void CTKPSoundPlayerStop()
{
    g_soundPlayer.Stop();
}
