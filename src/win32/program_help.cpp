#include "win32/program_help.h"

#include <cstring>

namespace {

constexpr size_t kLineWidth = 79;
constexpr size_t kFormColumn = 2;   // the options stand indented
constexpr size_t kTextColumn = 21;  // where every option's text starts

// The option's own word, without what it takes: "--cards" of "--cards N".
std::string OptionWord(const char* form) {
    const char* space = std::strchr(form, ' ');
    return space != nullptr ? std::string(form, space) : std::string(form);
}

// `text` in lines that start at `column` and end by kLineWidth; the first
// line continues `line`, which already reaches the column.
void AppendWrapped(std::string& out, std::string line, const std::string& text, size_t column) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        const bool lineHasText = line.size() > column;
        if (lineHasText && line.size() + 1 + word.size() > kLineWidth) {
            out += line + "\n";
            line = std::string(column, ' ');
        }
        if (line.size() > column) line += ' ';
        line += word;
        start = end + 1;
    }
    out += line + "\n";
}

const OptionHelp* FindOption(const ProgramHelp& help, const std::string& word) {
    for (const OptionHelp& option : help.options)
        if (OptionWord(option.form) == word) return &option;
    return nullptr;
}

}  // namespace

std::string UsageColumns(const ProgramHelp& help) {
    std::string out = std::string(help.program) + ": " + help.summary + "\n\n";
    for (const OptionHelp& option : help.options) {
        std::string line = std::string(kFormColumn, ' ') + option.form;
        // A form that leaves less than two spaces before its text gets a
        // line of its own.
        if (line.size() + 2 > kTextColumn) {
            out += line + "\n";
            line.clear();
        }
        line.resize(kTextColumn, ' ');
        AppendWrapped(out, line, option.text, kTextColumn);
    }
    if (help.closing != nullptr) out += std::string("\n") + help.closing + "\n";
    return out;
}

std::string UsageProse(const ProgramHelp& help) {
    std::string out = std::string(help.program) + ": " + help.summary + ".\n";
    for (const OptionHelp& option : help.options) out += std::string("\n") + option.form + ": " + option.text + ".\n";
    if (help.closing != nullptr) out += std::string("\n") + help.closing + "\n";
    return out;
}

std::string ErrorColumns(const ProgramHelp& help, const OptionError& error) {
    return std::string(help.program) + ": " + error.what + "\n\n" + UsageColumns(help);
}

std::string ErrorProse(const ProgramHelp& help, const OptionError& error) {
    const std::string cannotStart = std::string(help.program) + " cannot start: ";
    if (const OptionHelp* option = FindOption(help, error.option))
        return cannotStart + error.what + ".\n\nThe right form is \"" + option->form + "\": " + option->text + ".";
    std::string out = cannotStart + "it has no option \"" + error.option + "\".\n\nIts options are ";
    for (size_t i = 0; i < help.options.size(); ++i) {
        if (i > 0) out += i + 1 == help.options.size() ? " and " : ", ";
        out += help.options[i].form;
    }
    out += std::string(". Start it with --help to read what each one does.");
    return out;
}
