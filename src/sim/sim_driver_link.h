// The simulated driver: answers for the driver indices it is told, each with
// a block laid out as the real driver's and a simulated card behind it.
#pragma once

#include <cstdio>
#include <memory>

#include "card/driver_link.h"
#include "sim/sim_card.h"

class SimDriverLink : public DriverLink {
public:
    // `answering` has bit i set when driver index i answers.
    explicit SimDriverLink(unsigned answering);

    bool Open() override;
    bool QueryBlock(int32_t driverIndex, SharedCardBlock** block) override;
    void Close() override;
    RegisterSpace* RegistersFor(SharedCardBlock* block) override;

    // Cards in column order, as the desk will find them.
    int32_t CardCount() const { return count_; }
    SimCard& CardInColumn(int32_t column) { return *cards_[columnIndex_[column]]; }
    SharedCardBlock& BlockInColumn(int32_t column) { return *blocks_[columnIndex_[column]]; }

    void SetTrace(std::FILE* file);
    void SetUnitPresent(bool present);
    void SetBridgeStuck(bool stuck);
    // The machine's standby: every card and its unit lose power. The blocks
    // are the driver's memory and keep what they hold.
    void LosePower();

private:
    unsigned answering_;
    int32_t count_ = 0;
    int32_t columnIndex_[kMaxCards] = {};
    std::unique_ptr<SharedCardBlock> blocks_[kMaxCards];
    std::unique_ptr<SimCard> cards_[kMaxCards];
};
