// An in-memory stand-in for the program's registry key that answers as the
// registry does: values keep their type, a buffer too small fails the query,
// and the data of a value of any type is copied out on success.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "settings/settings_store.h"

constexpr uint32_t kRegDword = 4;

class FakeSettingsKey : public SettingsKey {
public:
    struct Value {
        uint32_t type;
        std::vector<uint8_t> bytes;
    };

    bool keyExists = false;
    bool canCreate = true;
    std::map<std::string, Value> values;
    int queries = 0;
    int writes = 0;

    bool Query(const char* name, void* buffer, uint32_t* size, uint32_t* type) override {
        ++queries;
        if (!keyExists) return false;
        auto found = values.find(name);
        if (found == values.end()) return false;
        const Value& value = found->second;
        if (value.bytes.size() > *size) return false;
        if (!value.bytes.empty()) std::memcpy(buffer, value.bytes.data(), value.bytes.size());
        *size = static_cast<uint32_t>(value.bytes.size());
        *type = value.type;
        return true;
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
};
