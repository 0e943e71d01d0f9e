#include "tests/standin/VariableStore.h"

namespace kelvane::standin {

namespace {

bool EqualIgnoringCase(std::wstring_view left, std::wstring_view right) {
    return CompareStringOrdinal(left.data(), static_cast<int>(left.size()), right.data(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

class Key {
  public:
    Key(HKEY root, const wchar_t* path, REGSAM access) {
        if (RegCreateKeyExW(root, path, 0, nullptr, 0, access, nullptr, &key_, nullptr) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

// The text of a registry value and its type; nothing for a missing or non-text value.
std::optional<std::pair<std::wstring, DWORD>> ReadText(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        !IsText(type)) {
        return std::nullopt;
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(size / sizeof(wchar_t));
    if (const std::size_t zero = value.find(L'\0'); zero != std::wstring::npos) {
        value.resize(zero);
    }
    return std::pair{value, type};
}

class RegistryStore : public VariableStore {
  public:
    RegistryStore(HKEY root, const wchar_t* path) : root_(root), path_(path) {}

    std::optional<std::wstring> Get(std::wstring_view name) const override {
        const Key key(root_, path_, KEY_QUERY_VALUE);
        if (key.get() == nullptr) {
            return std::nullopt;
        }
        auto value = ReadText(key.get(), std::wstring(name));
        if (!value) {
            return std::nullopt;
        }
        return value->first;
    }

    HRESULT Put(std::wstring_view name, std::wstring_view value) override {
        const Key key(root_, path_, KEY_QUERY_VALUE | KEY_SET_VALUE);
        if (key.get() == nullptr) {
            return E_ACCESSDENIED;
        }
        const std::wstring wideName(name);
        // A value that refers to others must be expanded when a process starts; any other keeps
        // the type of the value it replaces, and a new one is plain.
        DWORD type = REG_SZ;
        if (value.find(L'%') != std::wstring_view::npos) {
            type = REG_EXPAND_SZ;
        } else if (const auto old = ReadText(key.get(), wideName)) {
            type = old->second;
        }
        const std::wstring stored(value);
        const LSTATUS status = RegSetValueExW(
            key.get(), wideName.c_str(), 0, type, reinterpret_cast<const BYTE*>(stored.c_str()),
            static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t)));
        return HRESULT_FROM_WIN32(status);
    }

    HRESULT Remove(std::wstring_view name) override {
        const Key key(root_, path_, KEY_SET_VALUE);
        if (key.get() == nullptr) {
            return E_ACCESSDENIED;
        }
        return HRESULT_FROM_WIN32(RegDeleteValueW(key.get(), std::wstring(name).c_str()));
    }

    std::vector<std::pair<std::wstring, std::wstring>> All() const override {
        std::vector<std::pair<std::wstring, std::wstring>> all;
        const Key key(root_, path_, KEY_QUERY_VALUE);
        if (key.get() == nullptr) {
            return all;
        }
        DWORD count = 0;
        DWORD longestName = 0;
        if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &count, &longestName, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            return all;
        }
        std::wstring name(longestName + 1, L'\0');
        for (DWORD index = 0; index < count; ++index) {
            DWORD length = static_cast<DWORD>(name.size());
            if (RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS) {
                continue;
            }
            const std::wstring found(name.data(), length);
            if (auto value = ReadText(key.get(), found)) {
                all.emplace_back(found, std::move(value->first));
            }
        }
        return all;
    }

  private:
    HKEY root_;
    const wchar_t* path_;
};

class ProcessStore : public VariableStore {
  public:
    std::optional<std::wstring> Get(std::wstring_view name) const override {
        const std::wstring wideName(name);
        std::wstring value(256, L'\0');
        for (;;) {
            SetLastError(ERROR_SUCCESS);
            const DWORD count = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                        static_cast<DWORD>(value.size()));
            if (count == 0) {
                if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                    return std::nullopt;
                }
                return std::wstring();
            }
            if (count < value.size()) {
                value.resize(count);
                return value;
            }
            value.assign(count, L'\0');
        }
    }

    HRESULT Put(std::wstring_view name, std::wstring_view value) override {
        return SetEnvironmentVariableW(std::wstring(name).c_str(), std::wstring(value).c_str())
                   ? S_OK
                   : HRESULT_FROM_WIN32(GetLastError());
    }

    HRESULT Remove(std::wstring_view name) override {
        if (!Get(name)) {
            return HRESULT_FROM_WIN32(ERROR_ENVVAR_NOT_FOUND);
        }
        return SetEnvironmentVariableW(std::wstring(name).c_str(), nullptr)
                   ? S_OK
                   : HRESULT_FROM_WIN32(GetLastError());
    }

    std::vector<std::pair<std::wstring, std::wstring>> All() const override {
        std::vector<std::pair<std::wstring, std::wstring>> all;
        wchar_t* block = GetEnvironmentStringsW();
        if (block == nullptr) {
            return all;
        }
        for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
            const std::wstring_view text(entry);
            const std::size_t equals = text.find(L'=', 1);
            // Entries that begin with "=" are the per-drive current directories, no variables.
            if (text.front() == L'=' || equals == std::wstring_view::npos) {
                continue;
            }
            all.emplace_back(text.substr(0, equals), text.substr(equals + 1));
        }
        FreeEnvironmentStringsW(block);
        return all;
    }
};

} // namespace

std::unique_ptr<VariableStore> OpenStore(std::wstring_view scope) {
    if (EqualIgnoringCase(scope, L"System")) {
        return std::make_unique<RegistryStore>(
            HKEY_LOCAL_MACHINE,
            L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment");
    }
    if (EqualIgnoringCase(scope, L"User")) {
        return std::make_unique<RegistryStore>(HKEY_CURRENT_USER, L"Environment");
    }
    if (EqualIgnoringCase(scope, L"Process")) {
        return std::make_unique<ProcessStore>();
    }
    return nullptr;
}

} // namespace kelvane::standin
