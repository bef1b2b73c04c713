#include "settings/setups_file.h"

#include <cstdio>
#include <utility>

#include "settings/record_values.h"
#include "settings/setup_name.h"

namespace {

const char kKind[] = "TaraDock-20 Control Desk setups, format ";
const char kFormat[] = "1";
const char kEnd[] = "end of setups";

// One line of a card's settings: its name, the words of its values (value n
// is words[n]), and how it reads and sets a record as the desk takes it.
struct Setting {
    const char* name;
    std::vector<const char*> words;
    int32_t (*get)(const MixerSettings&);
    void (*set)(MixerSettings&, int32_t);
};

const std::vector<const char*> kRows = {"out 1-2", "out 3-4", "out 5-6", "out 7-8", "none"};
const std::vector<const char*> kNoYes = {"no", "yes"};

void Route(int32_t (&rows)[kRecordRoutingRows], int32_t row) {
    for (int32_t r = 0; r < kRecordRoutingRows; ++r) rows[r] = r == row ? 1 : 0;
}

const Setting kSettings[] = {
    {"digital input",
     {"coaxial", "optical"},
     [](const MixerSettings& r) { return r.inputCoaxial == 1 ? 0 : 1; },
     [](MixerSettings& r, int32_t v) {
         r.inputCoaxial = v == 0 ? 1 : 0;
         r.inputOptical = v == 1 ? 1 : 0;
     }},
    {"fs mode",
     {"fs", "256 fs"},
     [](const MixerSettings& r) { return r.fsMode; },
     [](MixerSettings& r, int32_t v) { r.fsMode = v; }},
    {"clock source",
     {"internal", "digital input", "word clock", "external unit"},
     [](const MixerSettings& r) { return r.clockSource; },
     [](MixerSettings& r, int32_t v) { r.clockSource = v; }},
    {"routing set A", kRows, [](const MixerSettings& r) { return LowestRoutedRow(r.routeA); },
     [](MixerSettings& r, int32_t v) { Route(r.routeA, v); }},
    {"routing set B", kRows, [](const MixerSettings& r) { return LowestRoutedRow(r.routeB); },
     [](MixerSettings& r, int32_t v) { Route(r.routeB, v); }},
    {"routing off", kNoYes, [](const MixerSettings& r) { return r.routingOff; },
     [](MixerSettings& r, int32_t v) { r.routingOff = v; }},
    {"sample rate",
     {"32000", "44100", "48000"},
     [](const MixerSettings& r) { return r.manualRate; },
     [](MixerSettings& r, int32_t v) { r.manualRate = v; }},
    {"automatic sample rate", kNoYes, [](const MixerSettings& r) { return r.autoRate; },
     [](MixerSettings& r, int32_t v) { r.autoRate = v; }},
    {"frame rate",
     {"24", "25", "29.97", "30 drop-frame", "30"},
     [](const MixerSettings& r) { return r.frameRate; },
     [](MixerSettings& r, int32_t v) { r.frameRate = v; }},
    // The desk always stores it hidden; kept so that every slot is written.
    {"timecode row",
     {"hidden", "shown"},
     [](const MixerSettings& r) { return r.showTimecode == 1 ? 1 : 0; },
     [](MixerSettings& r, int32_t v) { r.showTimecode = v; }},
};
constexpr int kSettingCount = sizeof kSettings / sizeof kSettings[0];

const char kAbout[] =
    "; Named setups of the TaraDock-20 Control Desk, as its \"Export Setups...\"\r\n"
    "; wrote them. \"Import Setups...\" in the desk's Setups menu, or\r\n"
    "; desk.exe --import-setups FILE, takes them into a desk.\r\n"
    ";\r\n"
    "; Each setup starts with its name in brackets. Each line under it is one\r\n"
    "; setting of one card, \"card <1 to 4> <setting> = <value>\", and every\r\n"
    "; setting of each card the setup holds is given:\r\n";

std::string SettingName(int card, const Setting& setting) {
    return "card " + std::to_string(card) + " " + setting.name;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Words of a line as the desk compares them: without case, with each run of
// spaces and tabs one space, and none at either end.
std::string Words(const std::string& text) {
    std::string words;
    for (char c : text) {
        const bool space = c == ' ' || c == '\t';
        if (space && (words.empty() || words.back() == ' ')) continue;
        words += space ? ' ' : c;
    }
    if (!words.empty() && words.back() == ' ') words.pop_back();
    return Lower(words);
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Choices(const std::vector<const char*>& words) {
    std::string text;
    for (size_t i = 0; i < words.size(); ++i)
        text += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i]);
    return text;
}

// A byte that no text holds: a control character other than a tab, or one
// that Windows-1252 leaves undefined.
bool NotText(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

class Reader {
public:
    Reader(std::vector<FileSetup>* setups, SetupsFileProblem* problem) : setups_(setups), problem_(problem) {}

    // False once a line cannot be used.
    bool Line(int number, const std::string& line) {
        number_ = number;
        for (char c : line)
            if (NotText(static_cast<unsigned char>(c))) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(c));
                return Fail(std::string("it holds a byte that is not text (") + hex + ")");
            }
        if (number == 1) return Kind(Words(line));
        const std::string text = Trimmed(line);
        if (text.empty() || text[0] == ';') return true;
        if (ended_) return Fail("there is more after " + Quoted(kEnd));
        if (Words(text) == kEnd) return End();
        if (text[0] == '[') return Header(text);
        return SettingLine(text);
    }

    // Once every line is read; the problem's line is the last.
    bool Finish() {
        if (number_ == 0) return Fail("the file is empty");
        if (!ended_)
            return Fail("the file ends without its last line " + Quoted(kEnd) + ": it may have been cut short");
        if (setups_->empty()) return Fail("the file holds no setup");
        return true;
    }

private:
    bool Fail(const std::string& what) {
        *problem_ = {number_, what};
        return false;
    }

    bool Kind(const std::string& first) {
        const std::string kind = Lower(kKind);
        if (first.compare(0, kind.size(), kind) != 0 || first.size() == kind.size())
            return Fail("this is not a file of the desk's setups: its first line is not " +
                        Quoted(kKind + std::string(kFormat)));
        if (first.substr(kind.size()) != kFormat)
            return Fail("the file is in format " + Quoted(first.substr(kind.size())) + ", and this desk reads format " +
                        kFormat);
        return true;
    }

    bool Header(const std::string& text) {
        if (text.size() < 2 || text.back() != ']') return Fail("a setup's name in brackets lacks its closing bracket");
        if (!Complete()) return false;
        const std::string name = text.substr(1, text.size() - 2);
        if (const char* problem = SetupNameProblem(name))
            return Fail(Quoted(name) + " cannot name a setup: " + problem);
        for (size_t i = 0; i < setups_->size(); ++i)
            if (SameSetupName((*setups_)[i].name, name))
                return Fail("the setup " + Quoted(name) + " is in the file twice (first at line " +
                            std::to_string(headers_[i]) + ")");
        setups_->push_back(FileSetup{name, {}});
        headers_.push_back(number_);
        for (auto& card : given_)
            for (int& line : card) line = 0;
        return true;
    }

    bool SettingLine(const std::string& text) {
        if (setups_->empty()) return Fail("a setting comes before the first setup's name in brackets");
        const size_t equals = text.find('=');
        if (equals == std::string::npos)
            return Fail("it is neither a setup's name in brackets, a setting (name = value), a comment nor the end");
        const std::string name = Words(text.substr(0, equals));
        const std::string value = Words(text.substr(equals + 1));
        // "card <number> <setting>"
        size_t used = 5;
        int card = 0;
        while (used < name.size() && used < 8 && name[used] >= '0' && name[used] <= '9')
            card = card * 10 + (name[used++] - '0');
        if (name.compare(0, 5, "card ") != 0 || used == 5 || used >= name.size() || name[used] != ' ')
            return Fail("there is no setting " + Quoted(name) + ": a setting is named \"card <1 to 4> <setting>\"");
        if (card < 1 || card > kSettingsRecords)
            return Fail("there is no card " + std::to_string(card) + ": a setup holds cards 1 to 4");
        const std::string setting = name.substr(used + 1);
        for (int s = 0; s < kSettingCount; ++s)
            if (setting == Lower(kSettings[s].name)) return Value(card - 1, s, name, value);
        return Fail("a card has no setting " + Quoted(setting));
    }

    bool Value(int card, int s, const std::string& name, const std::string& value) {
        FileSetup& setup = setups_->back();
        if (given_[card][s] != 0)
            return Fail(Quoted(name) + " is given twice in the setup " + Quoted(setup.name) + " (first at line " +
                        std::to_string(given_[card][s]) + ")");
        const std::vector<const char*>& words = kSettings[s].words;
        for (size_t v = 0; v < words.size(); ++v) {
            if (value != words[v]) continue;
            setup.cards.present[card] = true;
            kSettings[s].set(setup.cards.records[card], static_cast<int32_t>(v));
            given_[card][s] = number_;
            return true;
        }
        return Fail(Quoted(name) + " cannot be " + Quoted(value) + ": it takes " + Choices(words));
    }

    bool End() {
        if (!Complete()) return false;
        ended_ = true;
        return true;
    }

    // The setup read so far gives every setting of each card it names.
    bool Complete() {
        if (setups_->empty()) return true;
        const FileSetup& setup = setups_->back();
        const int here = number_;
        number_ = headers_.back();
        bool any = false;
        for (int c = 0; c < kSettingsRecords; ++c) {
            if (!setup.cards.present[c]) continue;
            any = true;
            for (int s = 0; s < kSettingCount; ++s)
                if (given_[c][s] == 0)
                    return Fail("the setup " + Quoted(setup.name) + " gives card " + std::to_string(c + 1) +
                                " some settings but not " + Quoted(SettingName(c + 1, kSettings[s])));
        }
        if (!any) return Fail("the setup " + Quoted(setup.name) + " holds no card's settings");
        number_ = here;
        return true;
    }

    std::vector<FileSetup>* setups_;
    SetupsFileProblem* problem_;
    std::vector<int> headers_;                         // each setup's header line
    int given_[kSettingsRecords][kSettingCount] = {};  // the line that gave each setting of the setup read now, or 0
    int number_ = 0;
    bool ended_ = false;
};

}  // namespace

std::string FormatSetupsFile(const std::vector<FileSetup>& setups) {
    std::string text = kKind + std::string(kFormat) + "\r\n" + kAbout;
    for (const Setting& setting : kSettings)
        text += ";   " + std::string(setting.name) + " = " + Choices(setting.words) + "\r\n";
    text += "; Lines that begin with ; are comments. The last line marks the end.\r\n";
    for (const FileSetup& setup : setups) {
        text += "\r\n[" + setup.name + "]\r\n";
        for (int c = 0; c < kSettingsRecords; ++c) {
            if (!setup.cards.present[c]) continue;
            MixerSettings record = setup.cards.records[c];
            NormaliseRecord(record);
            for (const Setting& setting : kSettings)
                text += SettingName(c + 1, setting) + " = " + setting.words[static_cast<size_t>(setting.get(record))] +
                        "\r\n";
        }
    }
    return text + "\r\n" + kEnd + "\r\n";
}

bool ParseSetupsFile(const std::string& text, std::vector<FileSetup>* setups, SetupsFileProblem* problem) {
    std::vector<FileSetup> read;
    Reader reader(&read, problem);
    if (text.size() > kSetupsFileMost) {
        *problem = {0, "the file is larger than 1 MiB, which no file of setups is"};
        return false;
    }
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!reader.Line(++number, line)) return false;
        start = end + 1;
    }
    if (!reader.Finish()) return false;
    *setups = std::move(read);
    return true;
}

std::string SetupsFileProblemText(const SetupsFileProblem& problem) {
    if (problem.line > 0) return "Line " + std::to_string(problem.line) + ": " + problem.what + ".";
    // A sentence of its own.
    std::string text = problem.what + ".";
    if (text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}
