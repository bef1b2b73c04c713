// Named setups to a file and back, for a backup or a move to another
// machine: the Setups menu's "Export Setups..." and "Import Setups...", and
// --export-setups and --import-setups. Neither needs a card. Portable: the
// file through the C library, the setups through the installed settings key.
#pragma once

#include <string>
#include <vector>

#include "settings/setups_file.h"

struct TransferResult {
    bool done;
    std::string message;  // sentences: what was done, or why nothing was
};

// Writes every stored setup to the file `path`, replacing it. A setup's value
// that is not a record is left out and named in the message; nothing is
// written when no setup can be.
TransferResult ExportSetups(const std::string& path);

// A file read and checked whole, before anything is stored.
struct SetupsToImport {
    std::string path;
    std::vector<FileSetup> setups;
    std::vector<std::string> existing;  // the file's names that stored setups have already
};

// False, with `problem` saying why in sentences, for a file that cannot be
// read or used: nothing may be imported from it.
bool ReadSetupsToImport(const std::string& path, SetupsToImport* import, std::string* problem);

// Stores the setups read, each whole as a save stores it: with
// `replaceExisting` every one, otherwise only those of new names. When one
// cannot be stored, those stored before it are put back as they were, as far
// as the registry lets them; the message names any that is not.
TransferResult StoreImportedSetups(const SetupsToImport& import, bool replaceExisting);
