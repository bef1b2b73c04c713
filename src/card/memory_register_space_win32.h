// The real register space: the card's register window at the address the
// driver left in the block's `registers` field.
#pragma once

#include <cstdint>

#include "card/register_space.h"

class MemoryRegisterSpace : public RegisterSpace {
public:
    explicit MemoryRegisterSpace(uint32_t windowAddress);
    // Each access is one volatile 32-bit load or store, never merged,
    // reordered or left out by the compiler.
    uint32_t Read(uint32_t offset) override;
    void Write(uint32_t offset, uint32_t value) override;

private:
    volatile uint32_t* window_;
};
