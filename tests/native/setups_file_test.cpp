// Setups to a file and back: whatever setups the desk holds come back through
// an export and an import as the desk takes them (byte for byte where the
// desk stored them), a file that cannot be used is refused whole, naming its
// line, with nothing changed, and a store that fails part way leaves the
// setups as they were.
#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "desk_test_hooks.h"
#include "fake_settings_key.h"
#include "settings/record_values.h"
#include "settings/setups_transfer.h"

namespace {

class SetupsFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsKey(&key); }
    void TearDown() override { SetSettingsKey(nullptr); }

    static std::string PathOf(const std::string& name) { return ::testing::TempDir() + "setups_file_test_" + name; }
    static std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(PathOf(name), std::ios::binary) << text;
        return PathOf(name);
    }
    // As --import-setups does it: read and check the whole file, then store.
    static std::string Import(const std::string& path) {
        SetupsToImport import;
        std::string problem;
        if (!ReadSetupsToImport(path, &import, &problem)) return problem;
        return StoreImportedSetups(import, true).message;
    }

    FakeSettingsKey key;
};

// A record of random slots, out of their ranges too, as only other software
// writes them.
rc::Gen<MixerSettings> ARecord() {
    return rc::gen::map(rc::gen::container<std::vector<int32_t>>(17, rc::gen::inRange(-2, 7)),
                        [](const std::vector<int32_t>& slots) {
                            MixerSettings record;
                            std::memcpy(&record, slots.data(), sizeof record);
                            return record;
                        });
}

// The record as the desk takes it when it restores it; the timecode row
// shows only for a 1. A record the desk stored is this already.
MixerSettings AsTaken(MixerSettings record) {
    NormaliseRecord(record);
    record.showTimecode = record.showTimecode == 1 ? 1 : 0;
    return record;
}

RC_GTEST_FIXTURE_PROP(SetupsFileTest, EverySetupComesBackAsTheDeskTakesIt, ()) {
    const auto names = *rc::gen::uniqueBy<std::vector<std::string>>(
        *rc::gen::inRange<size_t>(1, 6), rc::gen::element<std::string>("Live", "mix", "Video Post", "Z [2]", "Caf\xE9"),
        [](const std::string& name) { return name; });
    for (const std::string& name : names) {
        SetupRecords setup;
        const int cards = *rc::gen::inRange(1, 16);  // which of the four: at least one
        for (int c = 0; c < kSettingsRecords; ++c) {
            setup.present[c] = (cards >> c & 1) != 0;
            if (!setup.present[c]) continue;
            // Half of them as the desk stores them, which come back byte for byte.
            setup.records[c] = *ARecord();
            if (*rc::gen::arbitrary<bool>()) setup.records[c] = AsTaken(setup.records[c]);
        }
        RC_ASSERT(StoreSetup(name, setup) == SetupSave::Stored);
    }
    auto before = key.below;
    for (auto& setup : before)
        for (auto& value : setup.second.values) {
            MixerSettings record;
            std::memcpy(&record, value.second.bytes.data(), sizeof record);
            record = AsTaken(record);
            std::memcpy(value.second.bytes.data(), &record, sizeof record);
        }
    const std::vector<std::string> listed = ListSetups();
    RC_ASSERT(ExportSetups(PathOf("round")).done);
    for (const std::string& name : names) RC_ASSERT(DeleteSetup(name));
    RC_ASSERT(ListSetups().empty());
    RC_ASSERT(Import(PathOf("round")).find("Imported") == 0);
    RC_ASSERT(ListSetups() == listed);
    for (const auto& entry : before) {
        RC_ASSERT(key.below.count(entry.first) == 1u);
        const auto& values = key.below.at(entry.first).values;
        RC_ASSERT(values.size() == entry.second.values.size());
        for (const auto& value : entry.second.values) RC_ASSERT(values.at(value.first).bytes == value.second.bytes);
    }
}

TEST_F(SetupsFileTest, ABadFileIsRefusedNamingItsLineWithNothingChanged) {
    const std::string head = "TaraDock-20 Control Desk setups, format 1\r\n; a comment\r\n[Mix] \t\r\n";
    const auto card = [](const char* input) {
        std::string lines = std::string("card 1 digital input = ") + input + "\r\n";
        for (const char* line : {"fs mode = fs", "clock source = internal", "routing set A = none",
                                 "routing set B = out 7-8", "routing off = no", "sample rate = 44100",
                                 "automatic sample rate = no", "frame rate\t=25", "timecode row = hidden"})
            lines += std::string("card 1 ") + line + "\r\n";
        return lines;
    };
    const std::string end = "end of setups\r\n";
    const std::string stored = Import(Write("stored", head + card("coaxial") + end));
    ASSERT_EQ(stored.rfind("Imported 1 setup", 0), 0u) << stored;
    // Each bad file would set Mix's card 1 to optical, were it taken.
    const std::string good = head + card("optical") + end;
    // The good file grown to `size` bytes by a comment before its end.
    const auto grown = [&](size_t size) {
        return head + card("optical") + std::string(size - good.size() - 2, ';') + "\r\n" + end;
    };
    struct Case {
        const char* what;
        std::string text;  // the file; empty: no file at all
        const char* problem;
    };
    const Case cases[] = {
        {"cut inside a value", good.substr(0, good.find("25")) + "2", "Line 12: \"card 1 frame rate\" cannot be \"2\""},
        {"cut before its end", good.substr(0, good.find("end of")), "Line 13: the file ends without its last line"},
        {"random bytes", std::string("\x89PNG\r\n\x1a\n\0\0", 10), "Line 1: this is not a file of the desk's setups"},
        {"a NUL in a name", head + std::string("[Mi\0x]\r\n", 8), "Line 4: it holds a byte that is not text (0x00)"},
        {"a missing file", "", "cannot be read"},
        {"no setup", head.substr(0, head.find("[Mix]")) + "end of setups\r\n", "Line 3: the file holds no setup"},
        {"another kind", "Settings of something else\r\n" + card("optical"),
         "Line 1: this is not a file of the desk's setups"},
        {"another format", "TaraDock-20 Control Desk setups, format 2\r\n", "Line 1: the file is in format \"2\""},
        {"an unknown setting", head + "card 1 volume = 11\r\n" + card("optical"),
         "Line 4: a card has no setting \"volume\""},
        {"a twelfth card", head + card("optical") + "card 12 fs mode = fs\r\n" + end, "Line 14: there is no card 12"},
        {"a value it cannot take", head + "card 1 sample rate = 96000\r\n", "Line 4: \"card 1 sample rate\" cannot be"},
        {"a setting twice", head + card("optical") + "CARD 1  FS MODE = fs\r\n",
         "Line 14: \"card 1 fs mode\" is given twice"},
        {"a name twice", head + card("optical") + "[MIX]\r\n",
         "Line 14: the setup \"MIX\" is in the file twice (first at line 3)"},
        {"a name with a backslash", head + card("optical") + "[Video\\Post]\r\n",
         "Line 14: \"Video\\Post\" cannot name a setup"},
        {"a card without a setting", head + card("optical").substr(card("optical").find("\r\n") + 2) + end,
         "Line 3: the setup \"Mix\" gives card 1 some settings but not \"card 1 digital input\""},
        {"more after the end", good + "[Live]\r\n", "Line 15: there is more after \"end of setups\""},
        {"a byte over 1 MiB", grown((1 << 20) + 1), "\". The file is larger than 1 MiB"},
        {"a setup without a card", head + end, "Line 3: the setup \"Mix\" holds no card's settings"},
        {"a line of nothing known", head + "Hello\r\n", "Line 4: it is neither a setup's name in brackets"},
    };
    for (const Case& c : cases) {
        const auto before = key.below;
        const std::string path = c.text.empty() ? PathOf("missing") : Write("bad", c.text);
        const std::string problem = Import(path);
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.what << ": " << problem;
        EXPECT_EQ(problem.rfind("Imported", 0), std::string::npos) << c.what;
        EXPECT_EQ(key.below.size(), before.size()) << c.what;
        for (const auto& entry : before) EXPECT_EQ(key.below.at(entry.first).values.size(), entry.second.values.size());
        EXPECT_EQ(key.below.at("SETUPS\\MIX").values.at("Mixer20").bytes,
                  before.at("SETUPS\\MIX").values.at("Mixer20").bytes)
            << c.what;
    }
    // The good file is taken: as the command line does, it replaces Mix; as
    // the menu's No does, it takes only new names.
    SetupsToImport import;
    std::string problem;
    ASSERT_TRUE(ReadSetupsToImport(Write("two", head + card("optical") + "[Live]\r\n" + card("coaxial") + end), &import,
                                   &problem))
        << problem;
    EXPECT_EQ(import.existing, std::vector<std::string>{"Mix"});
    EXPECT_EQ(StoreImportedSetups(import, false).message,
              "Imported 1 setup from \"" + PathOf("two") + "\". New: \"Live\".");
    EXPECT_EQ(key.below.at("SETUPS\\MIX").values.at("Mixer20").bytes[0], 1) << "coaxial, as stored before";
    EXPECT_TRUE(StoreImportedSetups(import, false).done) << "nothing new to import, which is no problem";
    const std::string replaced = StoreImportedSetups(import, true).message;
    EXPECT_NE(replaced.find("Replaced: \"Mix\", \"Live\"."), std::string::npos) << replaced;
    EXPECT_EQ(key.below.at("SETUPS\\MIX").values.at("Mixer20").bytes[0], 0) << "optical, as the file gives it";
    EXPECT_NE(Import(::testing::TempDir()).find("cannot be read"), std::string::npos) << "a folder";
    EXPECT_NE(Import(Write("empty", "")).find("\". The file is empty."), std::string::npos);
    EXPECT_EQ(Import(Write("largest", grown(1 << 20))).rfind("Imported 1 setup", 0), 0u) << "exactly 1 MiB";
    // Every byte that Windows-1252 leaves undefined, as a control character.
    for (const char* byte : {"\x01", "\x7F", "\x81", "\x8D", "\x8F", "\x90", "\x9D"}) {
        const std::string problem = Import(Write("byte", head + ";" + byte + "\r\n" + card("optical") + end));
        EXPECT_NE(problem.find("Line 4: it holds a byte that is not text"), std::string::npos) << problem;
    }
}

// A record of every slot in its range, told apart by its clock source and rate.
MixerSettings Record(int32_t clock, int32_t rate) {
    MixerSettings record = {};
    record.inputCoaxial = 1;
    record.clockSource = clock;
    record.routeA[1] = 1;
    record.manualRate = rate;
    return record;
}

SetupRecords Cards(std::initializer_list<MixerSettings> records, int32_t first = 0) {
    SetupRecords setup;
    for (const MixerSettings& record : records) {
        setup.present[first] = true;
        setup.records[first++] = record;
    }
    return setup;
}

// Renames as Windows makes them, never onto a file that exists; and none of
// the moves listed, each from a name ending in the first to one ending in the
// second.
std::vector<std::pair<std::string, std::string>> refusedMoves;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int WindowsRename(const char* from, const char* to) {
    if (std::ifstream(to).good()) return -1;
    for (const auto& move : refusedMoves)
        if (EndsWith(from, move.first) && EndsWith(to, move.second)) return -1;
    return std::rename(from, to);
}

// The file's text, or "" where there is none.
std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// An export over an earlier one, with renames as Windows makes them: the
// earlier file goes only once the new one has its name, and where that fails
// the user is told where each is.
TEST_F(SetupsFileTest, AnExportOverAnEarlierFileReplacesItOnlyWhole) {
    const struct {
        const char* what;
        bool earlier;  // an earlier export is there
        std::vector<std::pair<std::string, std::string>> refused;
        const char* told;
        const char* file;  // which export each file holds: 1, 2, or "" for no file
        const char* written;
        const char* aside;
    } cases[] = {
        // clang-format off
        {"onto the earlier file", true, {}, "\"First\" holds no usable settings for card 2, which were left out", "2", "", ""},
        {"the earlier file cannot step aside", true, {{"file", "file.old"}}, "could not be replaced by it and is as it was", "1", "2", ""},
        {"the new file cannot take its name", true, {{"file.new", "file"}}, "could not be replaced by it and is as it was", "1", "2", ""},
        {"nor the earlier file come back", true, {{"file.new", "file"}, {"file.old", "file"}}, "and the earlier", "", "2", "1"},
        {"no earlier file, and the new one cannot take its name", false, {{"file.new", "file"}}, "which could not be renamed to", "", "2", ""},
        // clang-format on
    };
    const std::string path = PathOf("file");
    std::remove(path.c_str());
    const TransferResult none = ExportSetups(path);
    EXPECT_FALSE(none.done) << "no setup to export: " << none.message;
    EXPECT_EQ(Contents(path), "") << "no setup to export";
    SetFileRenameForTest(WindowsRename);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* end : {"", ".new", ".old"}) std::remove((path + end).c_str());
        key.below.clear();
        ASSERT_EQ(StoreSetup("First", Cards({Record(1, 1)})), SetupSave::Stored);
        key.PutBelow("Setups\\First", "Mixer21", kRegDword, {1, 0, 0, 0});
        refusedMoves.clear();
        if (c.earlier) {
            ASSERT_TRUE(ExportSetups(path).done);
        }
        const std::string first = Contents(path);
        ASSERT_EQ(StoreSetup("Second", Cards({Record(2, 2)})), SetupSave::Stored);
        refusedMoves = c.refused;
        const TransferResult result = ExportSetups(path);
        EXPECT_NE(result.message.find(c.told), std::string::npos) << result.message;
        EXPECT_EQ(result.done, c.refused.empty()) << result.message;
        if (!result.done) {
            EXPECT_NE(result.message.find("\"" + path + ".new\""), std::string::npos) << result.message;
        } else {  // its comments list every value
            EXPECT_NE(Contents(path).find(";   clock source = internal, digital input, word clock or external unit"),
                      std::string::npos);
        }
        const auto holds = [&](const std::string& file, const std::string& which) {
            const std::string text = Contents(file);
            if (which == "2") return EndsWith(text, "end of setups\r\n") && text.find("[Second]") != std::string::npos;
            return which == "1" ? text == first : text.empty();
        };
        EXPECT_TRUE(holds(path, c.file)) << "the file";
        EXPECT_TRUE(holds(path + ".new", c.written)) << "the file written beside it";
        EXPECT_TRUE(holds(path + ".old", c.aside)) << "the earlier file aside";
    }
    SetFileRenameForTest(nullptr);
}

// Every key (as its folded path) and value ("PATH\\name") below the settings key.
std::map<std::string, FakeSettingsKey::Value> Flat(const std::map<std::string, FakeSettingsKey::Below>& below) {
    std::map<std::string, FakeSettingsKey::Value> flat;
    for (const auto& key : below) {
        flat[key.first] = {};
        for (const auto& value : key.second.values) flat[key.first + "\\" + value.first] = value.second;
    }
    return flat;
}

// What the desk says of a store that was refused part way.
enum class Said { Done, NothingChanged, Failed };

// A registry that fails part way: the key refuses its k-th change, for every
// k, and then, to try the putting back too, each later change in turn. The
// setups stay byte for byte as they were, but for a value whose own putting
// back was refused; where the desk says nothing changed, nothing did.
TEST_F(SetupsFileTest, ARefusedWriteLeavesTheStoredSetupsAsTheyWere) {
    const SetupRecords music = Cards({Record(0, 0), Record(1, 0), Record(2, 0), Record(3, 0)});
    const auto stock = [&] {
        key.below.clear();
        key.refusedChanges.clear();
        ASSERT_EQ(StoreSetup("Music", music), SetupSave::Stored);
        ASSERT_EQ(StoreSetup("Video", Cards({Record(2, 2), Record(3, 2)})), SetupSave::Stored);
        key.changes = 0;
        key.refusedTargets.clear();
    };
    const auto said = [](SetupSave saved) {
        return saved == SetupSave::Stored    ? Said::Done
               : saved == SetupSave::OldKept ? Said::NothingChanged
                                             : Said::Failed;
    };
    const SetupsToImport import = {"three.txt",
                                   {{"Alpha", Cards({Record(1, 1), Record(2, 1)})},
                                    {"MUSIC", Cards({Record(3, 1), Record(0, 1), Record(1, 1), Record(2, 1)})},
                                    {"Zulu", Cards({Record(3, 2)}, 2)}},
                                   {"MUSIC"}};
    const struct {
        const char* what;
        std::function<Said()> store;
    } operations[] = {
        // clang-format off
        {"a new setup saved", [&] { return said(StoreSetup("Live", Cards({Record(1, 2), Record(2, 2)}))); }},
        // Its card 1 is as it was: a refused putting back of that changes
        // nothing, and the cards after it must still be put back.
        {"a setup replaced", [&] { return said(StoreSetup("music", Cards({Record(0, 0), Record(3, 2), Record(3, 1)}))); }},
        // clang-format on
        {"three setups imported, one replacing",
         [&] {
             const TransferResult result = StoreImportedSetups(import, true);
             if (result.done) return Said::Done;
             return result.message.find("Nothing was imported") != std::string::npos ? Said::NothingChanged
                                                                                     : Said::Failed;
         }},
    };
    for (const auto& operation : operations) {
        stock();
        const auto before = Flat(key.below);
        ASSERT_EQ(operation.store(), Said::Done) << operation.what;
        const int changes = key.changes;
        // The changes made with these refused.
        const auto refusing = [&](std::set<int> refused) {
            SCOPED_TRACE(testing::Message() << operation.what << ", changes refused: " << *refused.begin() << " "
                                            << *refused.rbegin() << " of " << changes);
            stock();
            key.refusedChanges = refused;
            const Said answer = operation.store();
            EXPECT_NE(answer, Said::Done);
            const auto after = Flat(key.below);
            std::set<std::string> entries;
            for (const auto* flat : {&before, &after})
                for (const auto& entry : *flat) entries.insert(entry.first);
            for (const std::string& entry : entries) {
                const bool was = before.count(entry) != 0;
                const bool same = was == (after.count(entry) != 0) && (!was || before.at(entry) == after.at(entry));
                // What a refused putting back was to change may differ, unless
                // the desk says that nothing changed.
                bool mayDiffer = false;
                for (size_t t = 1; t < key.refusedTargets.size(); ++t) {
                    const std::string& target = key.refusedTargets[t];
                    mayDiffer = mayDiffer || entry == target || entry.rfind(target + "\\", 0) == 0;
                }
                EXPECT_TRUE(same || (mayDiffer && answer != Said::NothingChanged)) << entry;
            }
            return key.changes;
        };
        for (int k = 1; k <= changes; ++k) {
            const int made = refusing({k});
            for (int later = k + 1; later <= made; ++later) refusing({k, later});
        }
    }
}

}  // namespace
