// Cards for the panel tests: a register space that reads like a ready card
// and decodes what is written to it (control words off the serial lines,
// command bytes to the external unit off the port bridge), and a driver that
// hands out such cards for the driver indices a test chooses.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "card/card_registers.h"
#include "card/card_types.h"
#include "card/driver_link.h"
#include "card/register_space.h"

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

class DecodingRegisterSpace : public RegisterSpace {
public:
    std::vector<CardEvent> events;
    int malformedFrames = 0;

    uint32_t Read(uint32_t offset) override {
        if (offset == kBridgeControl) return 0x2;    // cycle done at once
        if (offset == kBridgeStatus) return 0;       // never busy
        if (offset == kBridgeData) return 0x80;      // the unit is ready
        return 0;
    }

    void Write(uint32_t offset, uint32_t value) override {
        if (offset == kSerialLines) {
            SerialWrite(value);
        } else if (offset == kBridgeAddress) {
            bridgeAddress_ = value;
        } else if (offset == kBridgeData) {
            bridgeData_ = value;
        } else if (offset == kBridgeControl && value == 0x00020002 && (bridgeAddress_ >> 16) == 2) {
            PortWrite(static_cast<uint16_t>(bridgeAddress_ & 0xFFFF), static_cast<uint16_t>(bridgeData_ & 0xFFFF));
        }
    }

    std::vector<uint32_t> UnitBytes() const {
        std::vector<uint32_t> bytes;
        for (const CardEvent& e : events) {
            if (e.kind == CardEvent::UnitByte) bytes.push_back(e.value);
        }
        return bytes;
    }

private:
    static constexpr uint32_t kData = 0x10, kClock = 0x1000, kSelect = 0x00100000;

    // Bits are taken on the clock's rising edge: address bits while select
    // is low, word bits while it is high. Select falling with the clock high
    // latches the word.
    void SerialWrite(uint32_t lines) {
        const bool clock = (lines & kClock) != 0, select = (lines & kSelect) != 0, data = (lines & kData) != 0;
        if (clock && !clock_) {
            if (select) {
                word_ = (word_ << 1) | (data ? 1u : 0u);
                ++wordBits_;
            } else {
                address_ = (address_ << 1) | (data ? 1u : 0u);
                ++addressBits_;
            }
        } else if (clock && clock_ && select_ && !select) {
            if (addressBits_ == 4 && wordBits_ == 16) {
                events.push_back({CardEvent::Word, address_ & 0xF, word_ & 0xFFFF});
            } else {
                ++malformedFrames;
            }
            address_ = word_ = 0;
            addressBits_ = wordBits_ = 0;
        }
        clock_ = clock;
        select_ = select;
    }

    // The unit takes the data port's byte when the strobe (control port
    // bit 0) rises.
    void PortWrite(uint16_t port, uint16_t value) {
        if (port == UnitPortBase) {
            unitData_ = value & 0xFF;
        } else if (port == UnitPortBase + 2) {
            if ((value & 1) && !(control_ & 1)) {
                events.push_back({CardEvent::UnitByte, 0, unitData_});
            }
            control_ = value;
        }
    }

    bool clock_ = true, select_ = true;
    uint32_t address_ = 0, word_ = 0;
    int addressBits_ = 0, wordBits_ = 0;
    uint32_t bridgeAddress_ = 0, bridgeData_ = 0;
    uint32_t unitData_ = 0;
    uint16_t control_ = 0x16;
};

// Answers for the driver indices in `answering`; each index has its own
// zeroed block and its own decoding card.
class PanelTestDriver : public DriverLink {
public:
    std::set<int32_t> answering;
    SharedCardBlock blocks[kMaxCards] = {};
    DecodingRegisterSpace cards[kMaxCards];

    bool Open() override { return true; }
    bool QueryBlock(int32_t index, SharedCardBlock** block) override {
        if (answering.count(index) == 0) return false;
        *block = &blocks[index];
        return true;
    }
    void Close() override {}
    RegisterSpace* RegistersFor(SharedCardBlock* block) override { return &cards[block - blocks]; }
};

struct Control {
    uint16_t type;
    uint32_t value;
};

// What the card sees when exactly `controls` are sent, one after the other,
// from the state `before` (running set, so rates apply). Each control must
// reach the card, or the comparison would prove nothing.
inline std::vector<CardEvent> EventsOfControls(const SharedCardBlock& before, const std::vector<Control>& controls) {
    DecodingRegisterSpace twin;
    SharedCardBlock block = before;
    block.running = 1;
    CardLink link{&block, &twin};
    for (const Control& control : controls) {
        const size_t eventsBefore = twin.events.size();
        SetCardControl(&link, control.type, control.value);
        if (twin.events.size() == eventsBefore) {
            ADD_FAILURE() << "control (" << control.type << ", " << control.value << ") reaches no card";
        }
    }
    return twin.events;
}

}  // namespace panel_test
