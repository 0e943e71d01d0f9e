// Registration of the WScript.Shell stand-in in the test prefix, and the way to make
// "WScript.Shell" impossible to create. Every test that calls these, or that reads or writes the
// environment's registry keys, holds the CTest resource lock "prefix".
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace kelvane::standin {

// {6C077C1D-FE66-49DE-864C-BA630DDB6AFC}: the stand-in's own class.
inline constexpr CLSID kClassId = {
    0x6c077c1d, 0xfe66, 0x49de, {0x86, 0x4c, 0xba, 0x63, 0x0d, 0xdb, 0x6a, 0xfc}};

// The stand-in DLL of this build, as a Windows path.
std::wstring BuiltDllPath();

// Registers the stand-in DLL at dllPath as the class of the ProgID "WScript.Shell".
[[nodiscard]] bool Register(const std::wstring& dllPath);
// Removes the class of "WScript.Shell", so that it cannot be created (CLSIDFromProgID does not
// look any further). True when it is gone.
[[nodiscard]] bool MakeUncreatable();

// The class that "WScript.Shell" names now, as registry text; nothing when it names none.
std::optional<std::wstring> CurrentClass();

// Keeps the class that "WScript.Shell" names and puts it back when it goes.
class RegistrationGuard {
  public:
    RegistrationGuard() : saved_(CurrentClass()) {}
    RegistrationGuard(const RegistrationGuard&) = delete;
    RegistrationGuard& operator=(const RegistrationGuard&) = delete;
    ~RegistrationGuard();

  private:
    std::optional<std::wstring> saved_;
};

} // namespace kelvane::standin
