// Direct access, for tests, to the registry keys that hold the persistent environment variables:
// the system's under HKLM, the current user's under HKCU. Holders of the CTest resource lock
// "prefix" only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace kelvane::standin {

struct StoredVariable {
    std::wstring value;
    DWORD type; // REG_SZ or REG_EXPAND_SZ
};

// The variable as stored; nothing when it is not there or is no text.
std::optional<StoredVariable> ReadStored(bool forUser, std::wstring_view name);
[[nodiscard]] bool WriteStored(bool forUser, std::wstring_view name, std::wstring_view value,
                               DWORD type);
void DeleteStored(bool forUser, std::wstring_view name);
// The number of text values of the scope's key.
int CountStored(bool forUser);

} // namespace kelvane::standin
