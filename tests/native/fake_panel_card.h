// Cards for the panel tests: simulated cards whose decoded events are read
// back in order, and a driver that hands them out for the driver indices a
// test chooses.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "card/card_registers.h"
#include "card/card_types.h"
#include "card/driver_link.h"
#include "card/register_space.h"
#include "sim/sim_card.h"

namespace panel_test {

struct CardEvent {
    enum Kind { Word, UnitByte } kind;
    uint32_t address;  // control word 0..3 (Word only)
    uint32_t value;    // the 16-bit word, or the byte
    bool operator==(const CardEvent& o) const { return kind == o.kind && address == o.address && value == o.value; }
};

inline std::ostream& operator<<(std::ostream& out, const CardEvent& e) {
    if (e.kind == CardEvent::Word) {
        return out << "word " << e.address << " = 0x" << std::hex << e.value << std::dec;
    }
    return out << "unit byte 0x" << std::hex << e.value << std::dec;
}

// A simulated card whose decoded events (control words latched, bytes the
// external unit received) are read back off its trace, in order.
class TracedSimCard {
public:
    SimCard card;

    TracedSimCard() { card.SetTrace(&trace_); }
    TracedSimCard(const TracedSimCard&) = delete;
    TracedSimCard& operator=(const TracedSimCard&) = delete;

    std::vector<CardEvent> Events() const {
        std::vector<CardEvent> events;
        std::istringstream lines(trace_.str());
        std::string line;
        while (std::getline(lines, line)) {
            const size_t mark = line.find(" # ");
            if (mark == std::string::npos) continue;
            const char* event = line.c_str() + mark + 3;
            unsigned address = 0, value = 0;
            if (std::sscanf(event, "word %u = 0x%x", &address, &value) == 2) {
                events.push_back({CardEvent::Word, address, value});
            } else if (std::sscanf(event, "unit byte 0x%x", &value) == 1) {
                events.push_back({CardEvent::UnitByte, 0, value});
            }
        }
        return events;
    }
    std::vector<uint32_t> UnitBytes() const {
        std::vector<uint32_t> bytes;
        for (const CardEvent& e : Events()) {
            if (e.kind == CardEvent::UnitByte) bytes.push_back(e.value);
        }
        return bytes;
    }
    // Every trace line, register accesses included.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(trace_.str());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    void ForgetEvents() { trace_.str(""); }
    SimCardState State() const { return card.State(); }

private:
    std::ostringstream trace_;
};

// Answers for the driver indices in `answering`; each index has its own
// zeroed block and its own simulated card.
class PanelTestDriver : public DriverLink {
public:
    std::set<int32_t> answering;
    SharedCardBlock blocks[kMaxCards] = {};
    std::unique_ptr<TracedSimCard> cards[kMaxCards];

    PanelTestDriver() { Reset(); }
    // Fresh blocks and cards, as after power-up.
    void Reset() {
        for (int32_t i = 0; i < kMaxCards; ++i) {
            blocks[i] = SharedCardBlock{};
            cards[i].reset(new TracedSimCard);
        }
    }

    bool Open() override { return true; }
    bool QueryBlock(int32_t index, SharedCardBlock** block) override {
        if (answering.count(index) == 0) return false;
        *block = &blocks[index];
        return true;
    }
    void Close() override {}
    RegisterSpace* RegistersFor(SharedCardBlock* block) override { return &cards[block - blocks]->card; }
};

struct Control {
    uint16_t type;
    uint32_t value;
};

// What the card sees when exactly `controls` are sent, one after the other,
// from the state `before` (running set, so rates apply). Each control must
// reach the card, or the comparison would prove nothing.
inline std::vector<CardEvent> EventsOfControls(const SharedCardBlock& before, const std::vector<Control>& controls) {
    TracedSimCard twin;
    SharedCardBlock block = before;
    block.running = 1;
    CardLink link{&block, &twin.card};
    for (const Control& control : controls) {
        const size_t eventsBefore = twin.Events().size();
        SetCardControl(&link, control.type, control.value);
        if (twin.Events().size() == eventsBefore) {
            ADD_FAILURE() << "control (" << control.type << ", " << control.value << ") reaches no card";
        }
    }
    return twin.Events();
}

}  // namespace panel_test
