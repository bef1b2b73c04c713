// What a program that takes options says about them: its usage, and what
// was wrong with a command line. One table of options gives both forms of
// each text: columns for a console, where the text lines up under a fixed
// font, and prose for a message box, which wraps its own lines in a
// proportional font. Portable: no windows.h here.
#pragma once

#include <string>
#include <vector>

// One option as its help shows it.
struct OptionHelp {
    const char* form;  // "--cards N": the option and what it takes
    const char* text;  // what it does, one sentence without its full stop
};

struct ProgramHelp {
    const char* program;  // "desk-sim.exe"
    const char* summary;  // what the program is, without a full stop
    std::vector<OptionHelp> options;
    const char* closing;  // a last paragraph, or null
};

// What was wrong: a sentence without its full stop ("--cards takes a number
// from 0 to 4", "unknown option --bogus"), and the option it is about (its
// first word, "--cards"), or the word that is no option of the program.
struct OptionError {
    std::string what;
    std::string option;
};

// The console's text: the summary, then one option a line, its text in a
// column at the right, wrapped within 79 characters.
std::string UsageColumns(const ProgramHelp& help);
// The message box's text: the summary, then one paragraph per option.
std::string UsageProse(const ProgramHelp& help);

// The console's report of an error: "program: what", then the usage.
std::string ErrorColumns(const ProgramHelp& help, const OptionError& error);
// The message box's: what was wrong and the right form, as sentences.
std::string ErrorProse(const ProgramHelp& help, const OptionError& error);
