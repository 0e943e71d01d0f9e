#include "tests/standin/StandInRegistration.h"

#include <objbase.h>

namespace kelvane::standin {

namespace {

constexpr wchar_t kProgIdClassKey[] = L"Software\\Classes\\WScript.Shell\\CLSID";

std::wstring ClassText() {
    wchar_t text[64] = {};
    StringFromGUID2(kClassId, text, 64);
    return text;
}

bool SetDefaultText(const std::wstring& keyPath, const wchar_t* valueName,
                    const std::wstring& text) {
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, keyPath.c_str(), valueName, REG_SZ, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

bool SetProgIdClass(const std::wstring& classText) {
    return SetDefaultText(kProgIdClassKey, nullptr, classText);
}

} // namespace

std::wstring BuiltDllPath() {
    // The build knows the DLL by its Unix path; Wine's kernel32 turns that into a DOS path.
    using ToDos = WCHAR*(CDECL*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos != nullptr) {
        if (WCHAR* dos = toDos(KELVANE_STANDIN_DLL)) {
            std::wstring path(dos);
            HeapFree(GetProcessHeap(), 0, dos);
            return path;
        }
    }
    std::wstring path = L"Z:";
    for (const char* c = KELVANE_STANDIN_DLL; *c != '\0'; ++c) {
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    }
    return path;
}

bool Register(const std::wstring& dllPath) {
    const std::wstring classKey = L"Software\\Classes\\CLSID\\" + ClassText();
    return SetDefaultText(classKey, nullptr, L"Kelvane WScript.Shell stand-in") &&
           SetDefaultText(classKey + L"\\InprocServer32", nullptr, dllPath) &&
           SetDefaultText(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
           SetDefaultText(L"Software\\Classes\\WScript.Shell", nullptr,
                          L"Kelvane WScript.Shell stand-in") &&
           SetProgIdClass(ClassText());
}

bool MakeUncreatable() {
    const LSTATUS status = RegDeleteKeyW(HKEY_LOCAL_MACHINE, kProgIdClassKey);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::optional<std::wstring> CurrentClass() {
    wchar_t text[64] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kProgIdClassKey, nullptr, RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

RegistrationGuard::~RegistrationGuard() {
    if (saved_) {
        static_cast<void>(SetProgIdClass(*saved_));
    } else {
        static_cast<void>(MakeUncreatable());
    }
}

} // namespace kelvane::standin
