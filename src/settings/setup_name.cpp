#include "settings/setup_name.h"

namespace {

char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

int CompareFolded(const std::string& a, const std::string& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(Folded(a[i]));
        const unsigned char y = static_cast<unsigned char>(Folded(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

const char* SetupNameProblem(const std::string& name) {
    if (name.empty()) return "a setup's name has at least one character";
    if (name.size() > kSetupNameMost) return "a setup's name has at most 32 characters";
    if (name.front() == ' ' || name.back() == ' ') return "a setup's name neither starts nor ends with a space";
    for (char c : name) {
        if (c == '\\') return "a setup's name has no backslash";
        if (static_cast<unsigned char>(c) < 0x20) return "a setup's name has no control character";
    }
    return nullptr;
}

bool SameSetupName(const std::string& a, const std::string& b) { return CompareFolded(a, b) == 0; }

bool SetupNameBefore(const std::string& a, const std::string& b) { return CompareFolded(a, b) < 0; }
