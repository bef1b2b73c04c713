// Recalling a named setup: every card it holds a record for is set from it,
// as the start sets a card from its stored record, or none is.
// Portable: no windows.h here.
#pragma once

#include <string>

#include "settings/setups_store.h"

// Sets every card found that the setup `name` holds a record for, in column
// order, and stores their records. Nothing is applied when the setup is
// unknown or one of its records for the cards found is unusable.
SetupLoadResult RecallSetup(const std::string& name);

// Whether every card found is as the setup `name` would set it: each card
// the setup holds a record for has that record, both as the restore takes
// them (so routing off, which nothing keeps, is left out).
bool CardsMatchSetup(const std::string& name);
