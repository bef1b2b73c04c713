#include "sim/sim_options.h"

#include <cstdlib>

namespace {

const std::vector<OptionHelp>& SimOwnOptionHelp() {
    static const std::vector<OptionHelp> rows = {
        {"--cards N", "N simulated cards (0 to 4) at driver indices 0..N-1 (default 2)"},
        {"--indices I,J,..", "the driver indices (0 to 3) that answer, e.g. --indices 1,3"},
        {"--trace FILE", "write every register access and decoded event to FILE"},
        {"--state FILE",
         "keep every card's decoded state in FILE, as text: rewritten whenever it changes while the desk runs, and "
         "once more at exit"},
        {"--ready-event NAME",
         "set the named event (made by whoever starts the desk) once its window exists with every card's panel "
         "restored"},
        {"--no-unit", "the external unit is absent (never ready)"},
        {"--stuck-bridge", "the card's port bridge never completes a cycle"},
        {"--no-monitor", "do not open the card monitor window (closing the monitor ends the simulated desk)"},
    };
    return rows;
}

bool ParseSmallNumber(const std::string& text, int low, int high, int* value) {
    if (text.empty() || text.size() > 2) return false;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || parsed < low || parsed > high) return false;
    *value = static_cast<int>(parsed);
    return true;
}

bool ParseIndices(const std::string& text, unsigned* answering) {
    unsigned mask = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int index = 0;
        if (!ParseSmallNumber(item, 0, 3, &index)) return false;
        mask |= 1u << index;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    *answering = mask;
    return true;
}

// An option that takes a non-empty text: its value, or false.
bool TakeText(const std::vector<std::string>& words, size_t* i, std::string* value) {
    if (*i + 1 >= words.size() || words[*i + 1].empty()) return false;
    *value = words[++*i];
    return true;
}

}  // namespace

const ProgramHelp& SimProgramHelp() {
    static const ProgramHelp help = [] {
        ProgramHelp built = {"desk-sim.exe", "the control desk with simulated cards", {}, nullptr};
        for (const OptionHelp& row : DeskOptionHelp())
            if (std::string(row.form) != "--help") built.options.push_back(row);
        for (const OptionHelp& row : SimOwnOptionHelp()) built.options.push_back(row);
        built.options.push_back({"--help", "show this text"});
        return built;
    }();
    return help;
}

bool ParseSimOptions(const std::vector<std::string>& words, SimOptions* options, OptionError* error) {
    for (size_t i = 0; i < words.size(); ++i) {
        const OptionTaken desk = TakeDeskOption(words, &i, options, error);
        if (desk == OptionTaken::Bad) return false;
        if (desk == OptionTaken::Yes) continue;
        const std::string& word = words[i];
        if (word == "--cards") {
            int count = 0;
            if (i + 1 >= words.size() || !ParseSmallNumber(words[++i], 0, 4, &count)) {
                *error = {"--cards takes a number from 0 to 4", word};
                return false;
            }
            options->answering = (1u << count) - 1;
        } else if (word == "--indices") {
            if (i + 1 >= words.size() || !ParseIndices(words[++i], &options->answering)) {
                *error = {"--indices takes driver indices 0 to 3 separated by commas", word};
                return false;
            }
        } else if (word == "--trace" || word == "--state") {
            if (!TakeText(words, &i, word == "--trace" ? &options->traceFile : &options->stateFile)) {
                *error = {word + " takes a file name", word};
                return false;
            }
        } else if (word == "--ready-event") {
            if (!TakeText(words, &i, &options->readyEvent)) {
                *error = {"--ready-event takes an event name", word};
                return false;
            }
        } else if (word == "--no-unit") {
            options->unitAbsent = true;
        } else if (word == "--stuck-bridge") {
            options->bridgeStuck = true;
        } else if (word == "--no-monitor") {
            options->monitor = false;
        } else {
            *error = {"unknown option " + word, word};
            return false;
        }
    }
    return true;
}
