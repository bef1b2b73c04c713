// An in-memory stand-in for the program's registry key that answers as the
// registry does: values keep their type, a buffer too small fails the query,
// and the data of a value of any type is copied out on success.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/settings_store.h"

constexpr uint32_t kRegDword = 4;

class FakeSettingsKey : public SettingsKey {
public:
    struct Value {
        uint32_t type;
        std::vector<uint8_t> bytes;
        bool operator==(const Value& other) const { return type == other.type && bytes == other.bytes; }
    };

    bool keyExists = false;
    bool canCreate = true;
    std::map<std::string, Value> values;
    int queries = 0;
    int writes = 0;

    // Keys below this one, by their path folded to upper case as the
    // registry compares names; each keeps the path as it was written, and
    // they are listed in the order they were made, as Windows 98 lists them.
    struct Below {
        std::string path;
        std::map<std::string, Value> values;
        int made = 0;
    };
    std::map<std::string, Below> below;
    int made = 0;
    // Writes and deletes of a value of this name below fail, as a registry
    // that is full or out of reach fails them.
    std::string refused;
    // Changes below (a value set, a value or a key deleted that is there)
    // are counted from 1 in `changes`; those whose numbers are in
    // `refusedChanges` fail, as a registry that fails part way fails them.
    // What each refused change was to change is noted, in order: the folded
    // path of a key, or "path\\name" of a value.
    std::set<int> refusedChanges;
    int changes = 0;
    std::vector<std::string> refusedTargets;

    bool Query(const char* name, void* buffer, uint32_t* size, uint32_t* type) override {
        ++queries;
        if (!keyExists) return false;
        return QueryIn(values, name, buffer, size, type);
    }

    bool QueryBelow(const std::string& path, const char* name, void* buffer, uint32_t* size, uint32_t* type) override {
        ++queries;
        auto found = below.find(Folded(path));
        return found != below.end() && QueryIn(found->second.values, name, buffer, size, type);
    }

    bool SetBinaryBelow(const std::string& path, const char* name, const void* data, uint32_t size) override {
        if ((!keyExists && !canCreate) || refused == name || Refuses(Folded(path) + "\\" + name)) return false;
        ++writes;
        const uint8_t* bytes = static_cast<const uint8_t*>(data);
        PutBelow(path, name, kRegBinary, std::vector<uint8_t>(bytes, bytes + size));
        return true;
    }

    bool DeleteValueBelow(const std::string& path, const char* name) override {
        auto found = below.find(Folded(path));
        if (found == below.end() || found->second.values.count(name) == 0) return true;
        if (refused == name || Refuses(Folded(path) + "\\" + name)) return false;
        found->second.values.erase(name);
        return true;
    }

    bool ListKeysBelow(const std::string& path, std::vector<std::string>* names) override {
        const std::string prefix = Folded(path) + "\\";
        std::map<int, std::string> children;  // by when they were made
        bool exists = false;
        for (const auto& entry : below) {
            if (entry.first.compare(0, prefix.size(), prefix) != 0) continue;
            exists = true;
            const std::string rest = entry.second.path.substr(prefix.size());
            children[entry.second.made] = rest.substr(0, rest.find('\\'));
        }
        names->clear();
        for (const auto& child : children)
            if (std::none_of(names->begin(), names->end(),
                             [&](const std::string& n) { return Folded(n) == Folded(child.second); }))
                names->push_back(child.second);
        return exists;
    }

    bool DeleteKeyBelow(const std::string& path) override {
        const std::string folded = Folded(path);
        const bool there =
            std::any_of(below.begin(), below.end(), [&](const auto& entry) { return Inside(entry.first, folded); });
        if (there && Refuses(folded)) return false;
        for (auto entry = below.begin(); entry != below.end();) {
            entry = Inside(entry->first, folded) ? below.erase(entry) : std::next(entry);
        }
        return true;
    }

    void PutBelow(const std::string& path, const std::string& name, uint32_t type, std::vector<uint8_t> bytes) {
        keyExists = true;
        Below& key = below[Folded(path)];
        if (key.path.empty()) key = Below{path, {}, ++made};
        key.values[name] = Value{type, std::move(bytes)};
    }

    bool SetBinary(const char* name, const void* data, uint32_t size) override {
        if (!keyExists && !canCreate) return false;
        keyExists = true;
        ++writes;
        const uint8_t* bytes = static_cast<const uint8_t*>(data);
        values[name] = Value{kRegBinary, std::vector<uint8_t>(bytes, bytes + size)};
        return true;
    }

    void Put(const std::string& name, uint32_t type, std::vector<uint8_t> bytes) {
        keyExists = true;
        values[name] = Value{type, std::move(bytes)};
    }

    static std::string Folded(std::string text) {
        for (char& c : text)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return text;
    }

private:
    // A folded key path at or below the folded path `key`.
    static bool Inside(const std::string& path, const std::string& key) {
        return path == key || path.compare(0, key.size() + 1, key + "\\") == 0;
    }

    bool Refuses(const std::string& target) {
        if (refusedChanges.count(++changes) == 0) return false;
        refusedTargets.push_back(target);
        return true;
    }

    // As the registry answers: a null buffer asks for the size alone, a
    // buffer too small fails, any type is copied out.
    static bool QueryIn(const std::map<std::string, Value>& in, const char* name, void* buffer, uint32_t* size,
                        uint32_t* type) {
        auto found = in.find(name);
        if (found == in.end()) return false;
        const Value& value = found->second;
        if (buffer != nullptr && value.bytes.size() > *size) return false;
        if (buffer != nullptr && !value.bytes.empty()) std::memcpy(buffer, value.bytes.data(), value.bytes.size());
        *size = static_cast<uint32_t>(value.bytes.size());
        *type = value.type;
        return true;
    }
};
