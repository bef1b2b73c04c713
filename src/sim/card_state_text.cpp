#include "sim/card_state_text.h"

#include <cstdio>

#include "sim/card_state_names.h"
#include "sim/sim_driver_link.h"
#include "sim/unit_command_log.h"

namespace {

void Line(std::string& text, const char* key, const std::string& value) {
    text += key;
    text += ": ";
    text += value;
    text += '\n';
}

std::string RoutingSet(int32_t row) {
    return row >= 0 && row < 4 ? std::string("output pair ") + OutputPairName(row) : std::string("none");
}

std::string HexWord(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

void AppendCommands(std::string& text, const SimUnitState& unit) {
    const std::vector<UnitCommandEntry> commands = DecodeUnitCommands(unit.history, unit.historyCount);
    int listed = 0;
    for (auto it = commands.rbegin(); it != commands.rend() && listed < kCommandsListed; ++it) {
        ++listed;
        const std::string key = "command " + std::to_string(listed);
        Line(text, key.c_str(), it->text + " [" + FormatCommandBytes(it->bytes) + "]");
    }
}

}  // namespace

std::string FormatCardState(int column, const SimCardState& state, const SharedCardBlock& block) {
    const SimUnitState& unit = state.unit;
    const bool started = unit.frameRateMode >= 0;  // a start loaded since power-on
    std::string text = "card " + std::to_string(column) + "\n";

    Line(text, "digital input", DigitalInputName(state.digitalInputCoaxial));
    Line(text, "fs mode", FsModeName(state.fsMode));
    Line(text, "clock source", ClockSourceName(state.clockSource));
    Line(text, "routing",
         state.routingOff ? std::string("off")
                          : "set A -> " + RoutingSet(state.routeA) + ", set B -> " + RoutingSet(state.routeB));
    Line(text, "routing set A", RoutingSet(state.routeA));
    Line(text, "routing set B", RoutingSet(state.routeB));
    Line(text, "sample rate", state.sampleRate > 0 ? std::to_string(state.sampleRate) : std::string("none"));
    Line(text, "block sample rate", std::to_string(block.sampleRate));
    Line(text, "block running", block.running != 0 ? "yes" : "no");

    Line(text, "unit", unit.present ? "present" : "unplugged");
    Line(text, "unit lock", unit.locked ? "locked" : "unlocked");
    Line(text, "unit lock count", std::to_string(block.unitLockCount));
    Line(text, "generator", unit.generatorRunning ? "running" : "stopped");
    Line(text, "frame rate", FrameRateName(started ? unit.frameRateMode : -1));
    Line(text, "start time", started ? FormatTimecode(unit.startTime) : std::string("none"));
    Line(text, "current time", started ? FormatTimecode(unit.currentTime) : std::string("none"));
    Line(text, "last rate byte",
         unit.lastRateByte >= 0 ? HexWord(static_cast<uint32_t>(unit.lastRateByte), 2) : std::string("none"));

    std::string words;
    for (int i = 0; i < 4; ++i) words += (i ? " " : "") + HexWord(state.words[i], 4);
    Line(text, "control words", words);
    Line(text, "unit bytes received", std::to_string(unit.bytesReceived));
    AppendCommands(text, unit);
    return text;
}

std::string FormatAllCardStates(SimDriverLink& driver) {
    std::string text = "cards: " + std::to_string(driver.CardCount()) + "\n";
    for (int32_t column = 0; column < driver.CardCount(); ++column) {
        text += '\n';
        text += FormatCardState(column, driver.CardInColumn(column).State(), driver.BlockInColumn(column));
    }
    return text;
}
