// ListVariables: the environment collection walked with its enumerator, whose Next is called by
// its slot in the IEnumVARIANT table.
#include "environment/SystemEnvironment.h"

#include <oaidl.h>
#include <oleauto.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "SystemTexts.h"
#include "base/System.h"
#include "desktop/InterfaceSlot.h"
#include "environment/EnvironmentSession.h"

namespace kelvane {

namespace {

constexpr std::int32_t kNextSlot = 3; // after QueryInterface, AddRef and Release

// Releases what the buffer holds and leaves every byte of it zero.
void Clear(VARIANT& buffer) {
    VariantClear(&buffer);
    std::memset(&buffer, 0, sizeof buffer);
}

std::int32_t CountOf(const TextArray& names) {
    return static_cast<std::int32_t>(
        std::min<std::size_t>(names.size(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int32_t SystemEnvironment::ListVariables(std::optional<bool> forUser, TextArray& names) {
    EnvironmentSession session;
    if (!OpenSession(forUser, session)) {
        return -1;
    }
    // "_NewEnum" hands out an IUnknown; Next may only be called through the IEnumVARIANT table.
    const Microsoft::WRL::ComPtr<IUnknown> object =
        session.collection.RequestInterface(texts::kNewEnumMember, RequestKind::Method);
    Microsoft::WRL::ComPtr<IEnumVARIANT> enumerator;
    if (object == nullptr || FAILED(object.As(&enumerator)) || enumerator == nullptr) {
        return CountOf(names);
    }

    // A whole VARIANT: 16 bytes on x86, 24 on x64, where Next writes that many.
    VARIANT buffer;
    std::memset(&buffer, 0, sizeof buffer);
    V_VT(&buffer) = VT_I4;
    std::int32_t result = S_OK;
    do {
        // Set anew for every call: a Next that fails without touching the count must not make
        // the element before count twice.
        ULONG fetched = 0;
        result = CallInterfaceSlot(ValueAtAddress(enumerator.GetAddressOf()), kNextSlot,
                                   {1, DataAddress(buffer), AddressOf(fetched)});
        if (fetched == 1) {
            names.push_back(VariantToText(buffer));
            Clear(buffer);
        }
        ProcessEvents();
    } while (result == S_OK);
    Clear(buffer);
    return CountOf(names);
}

} // namespace kelvane
