// How the wizard runs its worker threads: one worker at a time beside the user-interface thread, a
// finished word that every loop of the engine tests, and a running byte.
//
// Nothing here ever suspends or ends a thread from outside. Stop pauses the worker cooperatively
// (it waits at the pause gate the next time it reports to the user interface), asks the question,
// and either sets the finished word so that the worker unwinds by itself, or opens the gate again.
// A worker is over only when its thread has ended; whatever path it took, it leaves its result
// behind for the user-interface thread, which shows the messages and moves the wizard on.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "classlib/win/AfxWin.h"
#include "engine/scan/ScanStop.h"

// The current worker's thread object (owned by the protocol; never deleted by the thread itself).
extern CWinThread* g_pWorkerThread;
// 0 while a worker runs; 1 when it has ended or the user chose to stop it.
extern ScanFinishedWord g_nWorkerFinished;
// 1 while a worker runs; 0 when it has ended or the user chose to stop it.
extern std::atomic<uint8_t> g_bWorkerRunning;

namespace wizard {

// What a worker thread runs: the engine's work, given the finished word; its return value is the
// worker's result.
using WorkerBody = std::function<int(ScanFinishedWord& finished)>;

// The result of a worker that has not ended (or of none).
constexpr int kNoWorkerResult = -1;

// Starts body on a new worker thread: finished 0, running 1, the pause gate open. Refused (false)
// while another worker has not ended; a worker that has ended is released first.
bool StartWorker(WorkerBody body);

// True when there is no worker or its thread has ended.
bool IsWorkerOver();
// True while a worker runs and nobody asked it to stop (running 1, finished 0).
bool IsScanInProgress();
// The value the last worker's body returned, once its thread has ended; kNoWorkerResult before.
int WorkerResult();
// True when the user answered Yes to the last Stop question of the current worker.
bool WorkerStopRequested();
// Forgets a worker whose thread has ended (the next StartWorker does this too).
void ReleaseWorker();

// The Stop command: only while a scan is in progress. Pauses the worker, asks the question (kind 3)
// and, on Yes, sets finished 1 and running 0; on No restores finished 0 and running 1. The worker
// goes on in either case and, after a Yes, unwinds at its next test of the finished word. Returns
// true when the answer was Yes.
bool AskToStopWorker(const CString& question);
// True while the Stop question is open (the pages' timers wait meanwhile).
bool IsStopQuestionOpen();

// How the Stop question is asked: the message channel's confirmation dialog by default. Tests put
// their own answer here; null restores the default.
using StopQuestion = std::function<bool(const CString& question)>;
void SetStopQuestion(StopQuestion ask);

// The end of the program: asks a running worker to stop (finished 1, gate open) and waits for its
// thread while the user-interface thread's messages are dispatched, at most timeoutMs. True when no
// worker is left running.
bool StopWorkerAndWait(DWORD timeoutMs);
// True from StopWorkerAndWait on: the pages' timers do nothing any more.
bool IsShuttingDown();

// Worker side: waits while the user-interface thread holds the worker paused. Called by the scan
// observer at each of the worker's pause points and reports; returns at once on any other thread,
// and with no call into the system while the gate is open.
void WaitAtPauseGate();
// True while the worker waits at the closed gate: it takes no step until the gate opens.
bool IsWorkerHeld();
// True on the current worker's own thread.
bool IsWorkerThread();

// Tests: returns every flag to its start-up value (no worker may be running).
void ResetWorkerProtocolForTests();

}  // namespace wizard
