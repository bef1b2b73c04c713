#include "win32/command_line.h"

std::vector<std::string> SplitCommandLine(const char* commandLine, bool skipProgramName) {
    std::vector<std::string> words;
    const char* p = commandLine != nullptr ? commandLine : "";
    while (*p != '\0') {
        while (*p == ' ' || *p == '\t') ++p;
        if (*p == '\0') break;
        std::string word;
        bool quoted = false;
        while (*p != '\0' && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"')
                quoted = !quoted;
            else
                word += *p;
            ++p;
        }
        words.push_back(word);
    }
    if (skipProgramName && !words.empty()) words.erase(words.begin());
    return words;
}
