#include "sim/sim_card.h"

struct SimCard::Impl {
    int32_t column = 0;
    SimCardState state;
};

SimCard::SimCard() : impl_(new Impl) {}
SimCard::~SimCard() = default;

uint32_t SimCard::Read(uint32_t) { return 0; }
void SimCard::Write(uint32_t, uint32_t) {}
void SimCard::SetColumn(int32_t column) {
    std::lock_guard<std::mutex> lock(mutex_);
    impl_->column = column;
}
int32_t SimCard::Column() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return impl_->column;
}
void SimCard::SetTrace(std::FILE*) {}
void SimCard::SetTrace(std::ostream*) {}
void SimCard::SetUnitPresent(bool present) {
    std::lock_guard<std::mutex> lock(mutex_);
    impl_->state.unit.present = present;
}
void SimCard::SetBridgeStuck(bool) {}
void SimCard::SetClock(MillisecondClock*) {}
SimCardState SimCard::State() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return impl_->state;
}
