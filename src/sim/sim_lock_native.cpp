#include "sim/sim_lock.h"

#include <mutex>

struct SimLock::Impl {
    std::mutex mutex;
};

SimLock::SimLock() : impl_(new Impl) {}
SimLock::~SimLock() { delete impl_; }
void SimLock::Acquire() { impl_->mutex.lock(); }
void SimLock::Release() { impl_->mutex.unlock(); }
