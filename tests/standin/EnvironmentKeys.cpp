#include "tests/standin/EnvironmentKeys.h"

#include <vector>

namespace kelvane::standin {

namespace {

HKEY RootOf(bool forUser) {
    return forUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

const wchar_t* PathOf(bool forUser) {
    return forUser ? L"Environment"
                   : L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
}

} // namespace

std::optional<StoredVariable> ReadStored(bool forUser, std::wstring_view name) {
    const std::wstring valueName(name);
    DWORD type = 0;
    DWORD size = 0;
    // RRF_NOEXPAND: the stored text, not what a new process would see.
    constexpr DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    if (RegGetValueW(RootOf(forUser), PathOf(forUser), valueName.c_str(), flags, &type, nullptr,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegGetValueW(RootOf(forUser), PathOf(forUser), valueName.c_str(), flags, &type,
                     buffer.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return StoredVariable{std::wstring(buffer.data()), type};
}

bool WriteStored(bool forUser, std::wstring_view name, std::wstring_view value, DWORD type) {
    const std::wstring valueName(name);
    const std::wstring text(value);
    return RegSetKeyValueW(RootOf(forUser), PathOf(forUser), valueName.c_str(), type, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

void DeleteStored(bool forUser, std::wstring_view name) {
    RegDeleteKeyValueW(RootOf(forUser), PathOf(forUser), std::wstring(name).c_str());
}

int CountStored(bool forUser) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootOf(forUser), PathOf(forUser), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return 0;
    }
    int count = 0;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD length = 16384;
        DWORD type = 0;
        const LSTATUS status =
            RegEnumValueW(key, index, name, &length, nullptr, &type, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            ++count;
        }
    }
    RegCloseKey(key);
    return count;
}

} // namespace kelvane::standin
