#include "platform/SettingsStore.h"

#include "platform/Utf8.h"

namespace pyrostat {

std::string CutAtZero(const std::string& text) {
    const size_t zero = text.find('\0');
    return zero == std::string::npos ? text : text.substr(0, zero);
}

std::string ReadRegistryString(const SettingsStore& store, SettingsRoot root,
                               const std::string& keyPath, const std::string& valueName) {
    if (!store.KeyExists(root, keyPath)) {
        return {};
    }
    const std::optional<SettingsValue> value = store.Read(root, keyPath, valueName);
    if (!value) {
        return {};
    }
    if (!value->isText) {
        return kNotStringText;
    }
    // The buffer holds 256 characters, the last one the terminating zero.
    return Utf8Left(CutAtZero(value->text), 255);
}

} // namespace pyrostat
