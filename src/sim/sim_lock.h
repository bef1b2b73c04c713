// The lock that keeps a simulated card whole while the desk's thread writes
// its registers and the timecode poster's thread reads its state. Portable:
// the lock itself is the platform's (a critical section on Windows, whose
// shipped programs have no C++ standard threads; std::mutex elsewhere).
#pragma once

class SimLock {
public:
    SimLock();
    ~SimLock();
    SimLock(const SimLock&) = delete;
    SimLock& operator=(const SimLock&) = delete;

    void Acquire();
    void Release();

private:
    struct Impl;
    Impl* impl_;
};

// Holds a SimLock for the scope.
class SimLockGuard {
public:
    explicit SimLockGuard(SimLock& lock) : lock_(lock) { lock_.Acquire(); }
    ~SimLockGuard() { lock_.Release(); }
    SimLockGuard(const SimLockGuard&) = delete;
    SimLockGuard& operator=(const SimLockGuard&) = delete;

private:
    SimLock& lock_;
};
