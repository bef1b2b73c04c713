#include "settings/setups_transfer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "settings/setup_name.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Count(size_t n) { return std::to_string(n) + (n == 1 ? " setup" : " setups"); }

std::string NameList(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) text += (i == 0 ? "" : ", ") + Quoted(names[i]);
    return text;
}

// The whole file, or false with `problem` set.
bool ReadWholeFile(const std::string& path, std::string* text, std::string* problem) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *problem = "The file " + Quoted(path) + " cannot be read: " + std::strerror(errno) + ".";
        return false;
    }
    text->clear();
    char buffer[16384];
    while (text->size() <= kSetupsFileMost) {
        const size_t got = std::fread(buffer, 1, sizeof buffer, file);
        if (got == 0) break;
        text->append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) *problem = "The file " + Quoted(path) + " cannot be read.";
    return !failed;
}

// The rename of the export: the C library's, unless a test puts in another.
int (*renameFile)(const char* from, const char* to) = std::rename;

bool Exists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file != nullptr) std::fclose(file);
    return file != nullptr;
}

// Gives the file `written` the name `path`; "" when done, else what became
// of the two files, in sentences. Windows renames onto no file that exists:
// an earlier file steps aside, and goes only once the new one has its name.
std::string PutInPlace(const std::string& written, const std::string& path) {
    if (renameFile(written.c_str(), path.c_str()) == 0) return "";
    const std::string kept = "The setups were written to " + Quoted(written) + ", ";
    const std::string asItWas = kept + "but " + Quoted(path) + " could not be replaced by it and is as it was.";
    if (!Exists(path)) return kept + "which could not be renamed to " + Quoted(path) + ".";
    const std::string aside = path + ".old";
    if (renameFile(path.c_str(), aside.c_str()) != 0) return asItWas;
    if (renameFile(written.c_str(), path.c_str()) == 0) {
        std::remove(aside.c_str());
        return "";
    }
    if (renameFile(aside.c_str(), path.c_str()) == 0) return asItWas;
    return kept + "which could not be renamed to " + Quoted(path) + ", and the earlier " + Quoted(path) +
           " is gone: it is " + Quoted(aside) + " now.";
}

// Writes `text` to `path`; "" when done, else why not, in sentences. The new
// file is written whole beside it first, so that a write that fails leaves
// the file that was there before.
std::string WriteWholeFile(const std::string& path, const std::string& text) {
    const std::string written = path + ".new";
    std::FILE* file = std::fopen(written.c_str(), "wb");
    const bool whole = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file == nullptr || std::fclose(file) != 0 || !whole) {
        std::remove(written.c_str());
        return "The setups could not be written to " + Quoted(path) + ".";
    }
    return PutInPlace(written, path);
}

}  // namespace

TransferResult ExportSetups(const std::string& path) {
    std::vector<FileSetup> setups;
    std::string leftOut;
    for (const std::string& name : ListSetups()) {
        StoredSetup stored;
        if (!ReadStoredSetup(name, &stored)) continue;
        bool any = false;
        for (int c = 0; c < kSettingsRecords; ++c) {
            any = any || stored.cards.present[c];
            if (stored.unusable[c])
                leftOut += " The setup " + Quoted(name) + " holds no usable settings for card " +
                           std::to_string(c + 1) + ", which were left out.";
        }
        if (any) setups.push_back(FileSetup{name, stored.cards});
    }
    if (setups.empty()) return {false, "There is no setup to export. Nothing was written." + leftOut};
    const std::string problem = WriteWholeFile(path, FormatSetupsFile(setups));
    if (!problem.empty()) return {false, problem + leftOut};
    return {true, "Exported " + Count(setups.size()) + " to " + Quoted(path) + "." + leftOut};
}

bool ReadSetupsToImport(const std::string& path, SetupsToImport* import, std::string* problem) {
    *import = SetupsToImport{};
    import->path = path;
    std::string text;
    if (!ReadWholeFile(path, &text, problem)) return false;
    SetupsFileProblem fileProblem;
    if (!ParseSetupsFile(text, &import->setups, &fileProblem)) {
        *problem = "Nothing was imported from " + Quoted(path) + ". " + SetupsFileProblemText(fileProblem);
        return false;
    }
    for (const FileSetup& setup : import->setups)
        if (!FindSetup(setup.name).empty()) import->existing.push_back(setup.name);
    return true;
}

TransferResult StoreImportedSetups(const SetupsToImport& import, bool replaceExisting) {
    struct Stored {
        std::string name;
        bool existed;
        StoredSetup before;
    };
    std::vector<Stored> stored;
    std::vector<std::string> imported, replaced;
    for (const FileSetup& setup : import.setups) {
        Stored entry;
        entry.name = setup.name;
        entry.existed = ReadStoredSetup(setup.name, &entry.before);
        if (entry.existed && !replaceExisting) continue;
        const SetupSave saved = StoreSetup(setup.name, setup.cards);
        if (saved != SetupSave::Stored) {
            // Back as they were, each as far as the registry lets it: a setup
            // new to the desk goes again. The user hears of any that is not.
            std::vector<std::string> notBack;
            if (entry.existed ? saved != SetupSave::OldKept : !FindSetup(setup.name).empty())
                notBack.push_back(setup.name);
            for (const Stored& back : stored)
                if (!(back.existed ? PutSetupBack(back.before) : DeleteSetup(back.name))) notBack.push_back(back.name);
            const std::string failed = "The setup " + Quoted(setup.name) + " could not be stored. ";
            if (notBack.empty()) return {false, failed + "Nothing was imported from " + Quoted(import.path) + "."};
            return {false, failed + "These setups could not be put back as they were before the import from " +
                               Quoted(import.path) + ": " + NameList(notBack) + "."};
        }
        stored.push_back(entry);
        (entry.existed ? replaced : imported).push_back(setup.name);
    }
    if (stored.empty())
        return {true, "Nothing was imported from " + Quoted(import.path) + ": every setup in it is stored already."};
    std::string message = "Imported " + Count(stored.size()) + " from " + Quoted(import.path) + ".";
    if (!imported.empty()) message += " New: " + NameList(imported) + ".";
    if (!replaced.empty()) message += " Replaced: " + NameList(replaced) + ".";
    return {true, message};
}

void SetFileRenameForTest(int (*rename)(const char* from, const char* to)) {
    renameFile = rename != nullptr ? rename : std::rename;
}
