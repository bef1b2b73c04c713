// Helpers for tests that use the program's real registry key under Wine.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Deletes the program's key with all its values.
void DeleteSettingsKey();
bool SettingsKeyExists();
// The value's bytes and type; false when the key or value is missing.
bool ReadRawValue(const char* name, std::vector<BYTE>* bytes, DWORD* type);
void WriteRawValue(const char* name, DWORD type, const std::vector<BYTE>& bytes);
