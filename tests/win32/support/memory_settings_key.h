// The program's settings key kept in memory, for tests that run the desk
// in-process and must not touch (or be slowed down by) the real registry.
// Answers as the registry does: values keep their type, a value longer than
// the buffer fails the query. `refuseAll` makes the key one that can be
// neither opened nor created.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "nothing_below_settings_key.h"
#include "settings/settings_store.h"

namespace wintest {

class MemorySettingsKey : public NothingBelowSettingsKey {
public:
    struct Value {
        uint32_t type;
        std::vector<uint8_t> bytes;
    };
    std::map<std::string, Value> values;
    bool refuseAll = false;
    int writes = 0;

    bool Query(const char* name, void* buffer, uint32_t* size, uint32_t* type) override {
        if (refuseAll) return false;
        auto found = values.find(name);
        if (found == values.end() || found->second.bytes.size() > *size) return false;
        if (!found->second.bytes.empty()) {
            std::memcpy(buffer, found->second.bytes.data(), found->second.bytes.size());
        }
        *size = static_cast<uint32_t>(found->second.bytes.size());
        *type = found->second.type;
        return true;
    }

    bool SetBinary(const char* name, const void* data, uint32_t size) override {
        if (refuseAll) return false;
        ++writes;
        const uint8_t* bytes = static_cast<const uint8_t*>(data);
        Value& value = values[name];
        value.type = kRegBinary;
        value.bytes.assign(bytes, bytes + size);
        return true;
    }
};

}  // namespace wintest
