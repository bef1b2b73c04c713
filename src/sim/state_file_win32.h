// desk-sim.exe's state file: every simulated card's decoded state as text,
// kept current while the desk runs so that a script can wait for a setting
// to reach a card, and written once more at exit.
#pragma once

#include <string>

class SimDriverLink;

// Writes the file now and then, from the calling thread's message loop,
// whenever the text changes (checked every 100 ms). The driver must outlive
// the file's keeping.
void StartStateFile(const std::string& path, SimDriverLink* driver);
// Stops watching and writes the final state. Harmless when not started.
void FinishStateFile();
