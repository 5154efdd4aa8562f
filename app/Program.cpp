// What only the program itself holds: the single-instance mutex, made before anything else runs,
// and the one application object.
#include "app/Ex_StyleApp.h"
#include "app/SingleInstance.h"

namespace {

struct SingleInstanceMutexInit {
    SingleInstanceMutexInit() { CreateSingleInstanceMutex(); }
};

SingleInstanceMutexInit g_singleInstanceMutexInit;

}  // namespace

CEx_StyleApp theApp;
