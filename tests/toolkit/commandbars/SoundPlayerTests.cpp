#include "toolkit/commandbars/SoundPlayer.h"
#include "tests/support/StateWait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

using morvick::test::kStateWaitMs;

// A stand-in for the system's sound call: records what it was asked and can hold a sound "playing"
// until the test lets it go (or, should nothing let it go, until the wait for a sure state is over).
struct Recorder {
    CRITICAL_SECTION lock;
    std::wstring played;
    std::vector<HANDLE> players;  // the thread of each sound, in order (closed by the test)
    std::atomic<int> purges{0};
    std::atomic<int> ended{0};  // sounds over
    HANDLE entered = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    HANDLE purged = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    Recorder() { InitializeCriticalSection(&lock); }
} g_recorder;

BOOL WINAPI RecordPlaySound(LPCWSTR pszSound, HMODULE, DWORD fdwSound)
{
    if (pszSound == nullptr) {
        if (fdwSound & SND_PURGE) {
            ++g_recorder.purges;
            SetEvent(g_recorder.purged);
        }
        return TRUE;
    }
    EXPECT_EQ(static_cast<DWORD>(SND_ALIAS | SND_NOWAIT | SND_NODEFAULT), fdwSound);
    EnterCriticalSection(&g_recorder.lock);
    g_recorder.played += pszSound;
    g_recorder.played += L";";
    g_recorder.players.push_back(OpenThread(SYNCHRONIZE, FALSE, GetCurrentThreadId()));
    LeaveCriticalSection(&g_recorder.lock);
    SetEvent(g_recorder.entered);
    WaitForSingleObject(g_recorder.release, kStateWaitMs);
    ++g_recorder.ended;
    return TRUE;
}

std::wstring Played()
{
    EnterCriticalSection(&g_recorder.lock);
    std::wstring s = g_recorder.played;
    LeaveCriticalSection(&g_recorder.lock);
    return s;
}

class SoundPlayerTest : public ::testing::Test {
protected:
    SoundPlayerTest()
    {
        CTKPSoundPlayer::SetPlaySoundFunction(&RecordPlaySound);
        g_recorder.played.clear();
        // The threads of the last test's sounds are over before this one counts sounds.
        for (HANDLE h : g_recorder.players) {
            WaitForSingleObject(h, kStateWaitMs);
            CloseHandle(h);
        }
        g_recorder.players.clear();
        g_recorder.ended = 0;
        SetEvent(g_recorder.release);
        ResetEvent(g_recorder.entered);
        ResetEvent(g_recorder.purged);
    }
    ~SoundPlayerTest() override
    {
        SetEvent(g_recorder.release);
        player.Stop();
        CTKPSoundPlayer::SetPlaySoundFunction(nullptr);
    }
    CTKPSoundPlayer player;
};

TEST_F(SoundPlayerTest, PlaysOnItsOwnThreadWithoutMakingTheCallerWait)
{
    ResetEvent(g_recorder.release);  // every sound "plays" until released
    player.Play(CTKPSoundPlayer::soundMenuPopup);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.entered, kStateWaitMs));
    // While that sound plays, further requests return at once; the later of two waits its turn.
    player.Play(CTKPSoundPlayer::soundMenuPopup);
    player.Play(CTKPSoundPlayer::soundMenuCommand);
    // The sound is let go only after this: a caller that waited for it came back once it was over.
    EXPECT_EQ(0, g_recorder.ended.load()) << "Play waited for the sound";
    SetEvent(g_recorder.release);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.entered, kStateWaitMs));
    EXPECT_EQ(L"MenuPopup;MenuCommand;", Played());
}

TEST_F(SoundPlayerTest, StopEndsTheThreadAndTheNextPlayStartsAnother)
{
    player.Play(CTKPSoundPlayer::soundMenuCommand);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.entered, kStateWaitMs));
    ASSERT_TRUE(player.IsRunning());
    player.Stop();
    EXPECT_FALSE(player.IsRunning());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.purged, kStateWaitMs));

    player.Play(CTKPSoundPlayer::soundMenuPopup);
    EXPECT_TRUE(player.IsRunning());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.entered, kStateWaitMs));
    EXPECT_EQ(L"MenuCommand;MenuPopup;", Played());
}

TEST_F(SoundPlayerTest, AStopWhileASoundPlaysIsNotLost)
{
    // The sound outlasts Stop's wait; the thread must still end once it is over instead of
    // clearing the stop request and playing on.
    ResetEvent(g_recorder.release);
    player.Play(CTKPSoundPlayer::soundMenuPopup);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.entered, kStateWaitMs));
    player.Stop();
    EXPECT_FALSE(player.IsRunning());
    SetEvent(g_recorder.release);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.purged, kStateWaitMs));
}

TEST_F(SoundPlayerTest, AThreadThatOutlivesStopLeavesTheNextThreadsSoundAlone)
{
    // The first thread's sound outlasts Stop; a new thread starts playing before it is over.
    ResetEvent(g_recorder.release);
    player.Play(CTKPSoundPlayer::soundMenuPopup);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.entered, kStateWaitMs));
    player.Stop();
    player.Play(CTKPSoundPlayer::soundMenuCommand);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.entered, kStateWaitMs));
    EnterCriticalSection(&g_recorder.lock);
    ASSERT_EQ(2u, g_recorder.players.size());
    const HANDLE hFirst = g_recorder.players[0];
    LeaveCriticalSection(&g_recorder.lock);
    ASSERT_NE(nullptr, hFirst);
    g_recorder.purges = 0;
    // Once the first thread has ended, nothing has purged the sound of the second.
    SetEvent(g_recorder.release);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hFirst, kStateWaitMs));
    EXPECT_EQ(0, g_recorder.purges.load());
    EXPECT_TRUE(player.IsRunning());
    // The second thread's own stop purges.
    ResetEvent(g_recorder.purged);
    player.Stop();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_recorder.purged, kStateWaitMs));
}

TEST_F(SoundPlayerTest, DisabledPlayerPlaysNothing)
{
    player.EnableSounds(FALSE);
    player.Play(CTKPSoundPlayer::soundMenuPopup);
    EXPECT_FALSE(player.IsRunning());
    player.Play(0);
    EXPECT_EQ(L"", Played());
}

}  // namespace
