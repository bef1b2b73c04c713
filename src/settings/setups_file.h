// A file of named setups, for a backup or a move to another machine: plain
// text in Windows-1252 with CR LF line ends, which a person can read and
// edit in Notepad. Its first line names its kind and format; then each
// setup, headed by its name in brackets, gives every setting of every card
// it holds as a line "card <n> <setting> = <value>"; a last line marks the
// end, so that a file cut short is told from a whole one. Lines that begin
// with ';' are comments. Portable: no windows.h here.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "settings/setups_store.h"

// The largest file the desk reads.
constexpr size_t kSetupsFileMost = 1024 * 1024;

struct FileSetup {
    std::string name;
    SetupRecords cards;  // present[c]: the setup holds a record for card c + 1
};

// The whole file for `setups`, in their order. Every slot of every record is
// written, as the desk takes it (values out of their ranges, which only
// other software writes, as the restore brings them in).
std::string FormatSetupsFile(const std::vector<FileSetup>& setups);

struct SetupsFileProblem {
    int line = 0;      // from 1; 0 for the file as a whole
    std::string what;  // a sentence without its full stop
};

// Reads a whole file into `setups`. False, with `problem` naming the first
// line that cannot be used and what is wrong with it (and `setups` as it
// was), unless every line can be used, the file holds at least one setup,
// no setup is named twice (case aside) and each gives every setting of each
// card it names.
bool ParseSetupsFile(const std::string& text, std::vector<FileSetup>* setups, SetupsFileProblem* problem);

// "Line 12: ..." or, for the file as a whole, the sentence alone.
std::string SetupsFileProblemText(const SetupsFileProblem& problem);
