// Where the stand-in keeps the variables of one scope: the registry keys that Windows builds the
// environment of new processes from (system and user), or the running process's own block.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvane::standin {

class VariableStore {
  public:
    virtual ~VariableStore() = default;
    // The stored value, unexpanded; nothing when the name is not there.
    virtual std::optional<std::wstring> Get(std::wstring_view name) const = 0;
    virtual HRESULT Put(std::wstring_view name, std::wstring_view value) = 0;
    // Fails for a name that is not there.
    virtual HRESULT Remove(std::wstring_view name) = 0;
    virtual std::vector<std::pair<std::wstring, std::wstring>> All() const = 0;
};

// "System", "User" or "Process", in any case; nothing for any other scope.
std::unique_ptr<VariableStore> OpenStore(std::wstring_view scope);

} // namespace kelvane::standin
