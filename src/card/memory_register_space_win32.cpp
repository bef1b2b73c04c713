#include "card/memory_register_space_win32.h"

#include <cstdint>

MemoryRegisterSpace::MemoryRegisterSpace(uint32_t windowAddress)
    : window_(reinterpret_cast<volatile uint32_t*>(static_cast<uintptr_t>(windowAddress))) {}

uint32_t MemoryRegisterSpace::Read(uint32_t offset) { return window_[offset / sizeof(uint32_t)]; }

void MemoryRegisterSpace::Write(uint32_t offset, uint32_t value) { window_[offset / sizeof(uint32_t)] = value; }
