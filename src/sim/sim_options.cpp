#include "sim/sim_options.h"

#include <cstdlib>

const char kSimUsage[] =
    "desk-sim.exe: the control desk with simulated cards\n"
    "\n"
    "  --cards N         N simulated cards (0 to 4) at driver indices 0..N-1 (default 2)\n"
    "  --indices I,J,..  the driver indices (0 to 3) that answer, e.g. --indices 1,3\n"
    "  --trace FILE      write every register access and decoded event to FILE\n"
    "  --state FILE      keep every card's decoded state in FILE, as text: rewritten\n"
    "                    whenever it changes while the desk runs, and once more at exit\n"
    "  --ready-event NAME\n"
    "                    set the named event (made by whoever starts the desk) once\n"
    "                    its window exists with every card's panel restored\n"
    "  --no-unit         the external unit is absent (never ready)\n"
    "  --stuck-bridge    the card's port bridge never completes a cycle\n"
    "  --show            open the panel at start, as a click on the tray icon does\n"
    "  --no-monitor      do not open the card monitor window (closing the monitor\n"
    "                    ends the simulated desk)\n"
    "  --help            show this text\n";

namespace {

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

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& words, SimOptions* options, std::string* error) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool hasValue = i + 1 < words.size();
        if (word == "--cards") {
            int count = 0;
            if (!hasValue || !ParseSmallNumber(words[++i], 0, 4, &count)) {
                *error = "--cards takes a number from 0 to 4";
                return false;
            }
            options->answering = (1u << count) - 1;
        } else if (word == "--indices") {
            if (!hasValue || !ParseIndices(words[++i], &options->answering)) {
                *error = "--indices takes driver indices 0 to 3 separated by commas";
                return false;
            }
        } else if (word == "--trace") {
            if (!hasValue || words[i + 1].empty()) {
                *error = "--trace takes a file name";
                return false;
            }
            options->traceFile = words[++i];
        } else if (word == "--state") {
            if (!hasValue || words[i + 1].empty()) {
                *error = "--state takes a file name";
                return false;
            }
            options->stateFile = words[++i];
        } else if (word == "--ready-event") {
            if (!hasValue || words[i + 1].empty()) {
                *error = "--ready-event takes an event name";
                return false;
            }
            options->readyEvent = words[++i];
        } else if (word == "--no-unit") {
            options->unitAbsent = true;
        } else if (word == "--stuck-bridge") {
            options->bridgeStuck = true;
        } else if (word == "--show") {
            options->showPanel = true;
        } else if (word == "--no-monitor") {
            options->monitor = false;
        } else if (word == "--help" || word == "-h" || word == "/?") {
            options->help = true;
        } else {
            *error = "unknown option " + word;
            return false;
        }
    }
    return true;
}
