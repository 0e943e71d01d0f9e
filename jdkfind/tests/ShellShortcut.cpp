#include "jdkfind/tests/ShellShortcut.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <string>

namespace kelvane::testing {

bool MakeShellShortcut(const Text& file, const ShellRequest& request) {
    Microsoft::WRL::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&link)))) {
        return false;
    }
    if (FAILED(link->SetPath(request.target.c_str()))) {
        return false;
    }
    if (request.arguments && FAILED(link->SetArguments(request.arguments->c_str()))) {
        return false;
    }
    if (request.workingDirectory &&
        FAILED(link->SetWorkingDirectory(request.workingDirectory->c_str()))) {
        return false;
    }
    if (request.description && FAILED(link->SetDescription(request.description->c_str()))) {
        return false;
    }
    if (request.iconPath &&
        FAILED(link->SetIconLocation(request.iconPath->c_str(), request.iconIndex))) {
        return false;
    }
    if (request.hotkey != 0 && FAILED(link->SetHotkey(request.hotkey))) {
        return false;
    }
    if (request.showCommand && FAILED(link->SetShowCmd(*request.showCommand))) {
        return false;
    }

    Microsoft::WRL::ComPtr<IPersistFile> persist;
    if (FAILED(link.As(&persist))) {
        return false;
    }
    const int size = MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, nullptr, 0);
    if (size <= 0) {
        return false;
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide.data(), size);
    return SUCCEEDED(persist->Save(wide.c_str(), TRUE));
}

} // namespace kelvane::testing
