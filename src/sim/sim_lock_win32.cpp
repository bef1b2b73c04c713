#include "sim/sim_lock.h"

#include <windows.h>

struct SimLock::Impl {
    CRITICAL_SECTION section;
};

SimLock::SimLock() : impl_(new Impl) { InitializeCriticalSection(&impl_->section); }

SimLock::~SimLock() {
    DeleteCriticalSection(&impl_->section);
    delete impl_;
}

void SimLock::Acquire() { EnterCriticalSection(&impl_->section); }
void SimLock::Release() { LeaveCriticalSection(&impl_->section); }
