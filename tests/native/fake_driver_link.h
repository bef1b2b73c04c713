// A driver that answers for the driver indices a test chooses, handing out
// zeroed blocks; each block's register space is whatever the test supplies.
#pragma once

#include <memory>
#include <set>
#include <vector>

#include "card/driver_link.h"
#include "card/register_space.h"

class NullRegisterSpace : public RegisterSpace {
public:
    uint32_t Read(uint32_t) override { return 0; }
    void Write(uint32_t, uint32_t) override {}
};

class FakeDriverLink : public DriverLink {
public:
    bool opens = true;
    std::set<int32_t> answering;
    std::set<int32_t> answeringNull;  // answer with success and a null block address
    std::vector<int32_t> queried;
    int closes = 0;
    SharedCardBlock blocks[4] = {};
    RegisterSpace* registers = &nullRegisters;  // null: the space cannot be made

    bool Open() override { return opens; }
    bool QueryBlock(int32_t index, SharedCardBlock** block) override {
        queried.push_back(index);
        if (answeringNull.count(index) != 0) {
            *block = nullptr;
            return true;
        }
        if (answering.count(index) == 0) return false;
        *block = &blocks[index];
        return true;
    }
    void Close() override { ++closes; }
    RegisterSpace* RegistersFor(SharedCardBlock*) override { return registers; }

private:
    NullRegisterSpace nullRegisters;
};
