// The two registry keys the desks keep their settings in, for tests that
// look at them under Wine: the desk's, which the card's driver reads, and
// the simulated desk's own.
#pragma once

#include <windows.h>

#include <vector>

class RegistryTestKey {
public:
    RegistryTestKey(HKEY root, const char* path) : root_(root), path_(path) {}

    // Deletes the key with all its values and keys.
    void Delete() const;
    bool Exists() const;
    // The value's bytes and type; false when the key or value is missing.
    bool Read(const char* name, std::vector<BYTE>* bytes, DWORD* type) const;
    void Write(const char* name, DWORD type, const std::vector<BYTE>& bytes) const;

private:
    HKEY root_;
    const char* path_;
};

// Written out here rather than taken from the program, so that a misspelt
// key in the program shows in every test that reads what it stored.
extern const RegistryTestKey kDeskKey;       // HKLM\System\...\MediaResources\TaraDock24
extern const RegistryTestKey kSimulatedKey;  // HKCU\Software\TaraDock-20 Control Desk\Simulated Cards
