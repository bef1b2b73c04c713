// A simulated card wired to a driver block, with its trace captured so tests
// can read back the events the card decoded.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "card_fakes.h"
#include "sim/sim_card.h"

struct TracedSimCard {
    TracedSimCard() : fake(&card) {
        card.SetTrace(&trace);
        fake.block.running = 1;
    }
    ~TracedSimCard() { card.SetTrace(static_cast<std::ostream*>(nullptr)); }

    CardLink* link() { return &fake.link; }
    SharedCardBlock& block() { return fake.block; }

    // The trace lines, every one.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(trace.str());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    // The decoded events since the last ClearTrace, without "<column> # ".
    std::vector<std::string> Events() const {
        std::vector<std::string> events;
        for (const std::string& line : Lines()) {
            const std::string::size_type mark = line.find(" # ");
            if (mark != std::string::npos) events.push_back(line.substr(mark + 3));
        }
        return events;
    }
    void ClearTrace() { trace.str(""); }

    SimCard card;
    std::ostringstream trace;
    FakeCard fake;
};
