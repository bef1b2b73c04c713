// A card's register window: 32-bit registers at byte offsets. The real one
// does volatile loads and stores on the mapped window; the simulated card and
// test fakes stand in for it.
#pragma once

#include <cstdint>

class RegisterSpace {
public:
    virtual ~RegisterSpace() = default;
    // `offset` is a byte offset; callers clear its two low bits.
    virtual uint32_t Read(uint32_t offset) = 0;
    virtual void Write(uint32_t offset, uint32_t value) = 0;
};
