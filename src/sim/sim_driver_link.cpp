#include "sim/sim_driver_link.h"

SimDriverLink::SimDriverLink(unsigned answering) : answering_(answering) {
    for (int32_t index = 0; index < kMaxCards; ++index) {
        if ((answering_ & (1u << index)) == 0) continue;
        blocks_[index].reset(new SharedCardBlock());
        cards_[index].reset(new SimCard());
        cards_[index]->SetColumn(count_);
        columnIndex_[count_] = index;
        ++count_;
    }
}

bool SimDriverLink::Open() { return true; }

bool SimDriverLink::QueryBlock(int32_t driverIndex, SharedCardBlock** block) {
    if (driverIndex < 0 || driverIndex >= kMaxCards || !blocks_[driverIndex]) return false;
    *block = blocks_[driverIndex].get();
    return true;
}

void SimDriverLink::Close() {}

RegisterSpace* SimDriverLink::RegistersFor(SharedCardBlock* block) {
    for (int32_t index = 0; index < kMaxCards; ++index)
        if (blocks_[index].get() == block) return cards_[index].get();
    return nullptr;
}

void SimDriverLink::SetTrace(std::FILE* file) {
    for (auto& card : cards_)
        if (card) card->SetTrace(file);
}

void SimDriverLink::SetUnitPresent(bool present) {
    for (auto& card : cards_)
        if (card) card->SetUnitPresent(present);
}

void SimDriverLink::SetBridgeStuck(bool stuck) {
    for (auto& card : cards_)
        if (card) card->SetBridgeStuck(stuck);
}

void SimDriverLink::LosePower() {
    for (auto& card : cards_)
        if (card) card->LosePower();
}
