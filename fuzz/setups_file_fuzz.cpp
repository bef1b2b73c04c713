// Files of setups of any bytes, as an import reads them from anywhere.
//
// Input: the file itself.
//
// Checked: a file refused leaves no setup read and names a line of the file
// (or none, for the file as a whole) and what is wrong; a file taken holds
// at least one setup, each with at least one card, no name twice (case
// aside), and written again it reads back to the same setups, record for
// record byte for byte, and is written again the same way.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_desk.h"
#include "settings/setup_name.h"
#include "settings/setups_file.h"

namespace {

bool SameSetups(const std::vector<FileSetup>& a, const std::vector<FileSetup>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name) return false;
        for (int c = 0; c < kSettingsRecords; ++c) {
            if (a[i].cards.present[c] != b[i].cards.present[c]) return false;
            if (std::memcmp(&a[i].cards.records[c], &b[i].cards.records[c], sizeof(MixerSettings)) != 0) return false;
        }
    }
    return true;
}

int LineCount(const std::string& text) {
    int lines = 0;
    for (size_t start = 0; start < text.size(); ++lines) {
        const size_t end = text.find('\n', start);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<FileSetup> setups;
    SetupsFileProblem problem;
    if (!ParseSetupsFile(text, &setups, &problem)) {
        FUZZ_CHECK(setups.empty());
        FUZZ_CHECK(!problem.what.empty());
        FUZZ_CHECK(problem.line >= 0 && problem.line <= LineCount(text));
        return 0;
    }
    FUZZ_CHECK(!setups.empty());
    for (size_t i = 0; i < setups.size(); ++i) {
        FUZZ_CHECK(SetupNameProblem(setups[i].name) == nullptr);
        bool any = false;
        for (int c = 0; c < kSettingsRecords; ++c) any = any || setups[i].cards.present[c];
        FUZZ_CHECK(any);
        for (size_t j = 0; j < i; ++j) FUZZ_CHECK(!SameSetupName(setups[i].name, setups[j].name));
    }
    const std::string written = FormatSetupsFile(setups);
    std::vector<FileSetup> again;
    FUZZ_CHECK(ParseSetupsFile(written, &again, &problem));
    FUZZ_CHECK(SameSetups(setups, again));
    FUZZ_CHECK(FormatSetupsFile(again) == written);
    return 0;
}
