#include "app/registry_settings_key_win32.h"

const RegistryKeyPlace kDeskSettingsKey = {HKEY_LOCAL_MACHINE,
                                           "System\\CurrentControlSet\\Control\\MediaResources\\TaraDock24"};
const RegistryKeyPlace kSimulatedCardsSettingsKey = {HKEY_CURRENT_USER,
                                                     "Software\\TaraDock-20 Control Desk\\Simulated Cards"};

namespace {

// Every call opens the key afresh and closes it again, so a key that
// appears or vanishes meanwhile is seen.
class OpenKey {
public:
    OpenKey(HKEY root, const std::string& path, bool create) {
        result_ = create ? RegCreateKeyA(root, path.c_str(), &key_) : RegOpenKeyA(root, path.c_str(), &key_);
        if (result_ != ERROR_SUCCESS) key_ = nullptr;
    }
    ~OpenKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY get() const { return key_; }
    // Missing, as opposed to there but out of reach.
    bool missing() const { return result_ == ERROR_FILE_NOT_FOUND; }

private:
    HKEY key_ = nullptr;
    LONG result_ = ERROR_SUCCESS;
};

bool QueryValue(HKEY root, const std::string& path, const char* name, void* buffer, uint32_t* size, uint32_t* type) {
    OpenKey key(root, path, false);
    if (key.get() == nullptr) return false;
    DWORD bytes = *size;
    DWORD valueType = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &valueType, static_cast<BYTE*>(buffer), &bytes) != ERROR_SUCCESS)
        return false;
    *size = bytes;
    *type = valueType;
    return true;
}

bool SetBinaryValue(HKEY root, const std::string& path, const char* name, const void* data, uint32_t size) {
    OpenKey key(root, path, true);
    return key.get() != nullptr &&
           RegSetValueExA(key.get(), name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

}  // namespace

bool RegistrySettingsKey::Query(const char* name, void* buffer, uint32_t* size, uint32_t* type) {
    return QueryValue(place_.root, place_.path, name, buffer, size, type);
}

bool RegistrySettingsKey::SetBinary(const char* name, const void* data, uint32_t size) {
    return SetBinaryValue(place_.root, place_.path, name, data, size);
}

bool RegistrySettingsKey::QueryBelow(const std::string& path, const char* name, void* buffer, uint32_t* size,
                                     uint32_t* type) {
    return QueryValue(place_.root, std::string(place_.path) + "\\" + path, name, buffer, size, type);
}

bool RegistrySettingsKey::SetBinaryBelow(const std::string& path, const char* name, const void* data, uint32_t size) {
    return SetBinaryValue(place_.root, std::string(place_.path) + "\\" + path, name, data, size);
}

bool RegistrySettingsKey::ListKeysBelow(const std::string& path, std::vector<std::string>* names) {
    OpenKey key(place_.root, std::string(place_.path) + "\\" + path, false);
    if (key.get() == nullptr) return false;
    names->clear();
    char name[MAX_PATH + 1];
    for (DWORD index = 0; RegEnumKeyA(key.get(), index, name, sizeof name) == ERROR_SUCCESS; ++index)
        names->push_back(name);
    return true;
}

bool RegistrySettingsKey::DeleteKeyBelow(const std::string& path) {
    // Deleted from its parent; the key holds values only, which go with it
    // on every Windows.
    const size_t slash = path.rfind('\\');
    const std::string parentPath =
        std::string(place_.path) + (slash == std::string::npos ? "" : "\\" + path.substr(0, slash));
    const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    OpenKey parent(place_.root, parentPath, false);
    if (parent.get() == nullptr) return false;
    if (RegDeleteKeyA(parent.get(), leaf.c_str()) == ERROR_SUCCESS) return true;
    OpenKey still(place_.root, parentPath + "\\" + leaf, false);
    return still.get() == nullptr;
}

bool RegistrySettingsKey::DeleteValueBelow(const std::string& path, const char* name) {
    OpenKey key(place_.root, std::string(place_.path) + "\\" + path, false);
    if (key.get() == nullptr) return key.missing();
    if (RegDeleteValueA(key.get(), name) == ERROR_SUCCESS) return true;
    DWORD size = 0;
    return RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS;
}
