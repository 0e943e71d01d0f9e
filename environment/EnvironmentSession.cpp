#include "environment/EnvironmentSession.h"

#include <objbase.h>

#include "SystemTexts.h"

namespace kelvane {

bool OpenSession(std::optional<bool> forUser, EnvironmentSession& session) {
    // On the GUI thread COM is initialised already and this only raises the count; it makes the
    // operations work on a thread where nobody initialised COM. The destructor lowers it once.
    static_cast<void>(CoInitialize(nullptr));
    if (!session.shell.Create(texts::kShellProgId)) {
        return false;
    }
    session.collection = session.shell.RequestObject(
        texts::kEnvironmentMember, RequestKind::Method,
        {forUser.value_or(false) ? texts::kUserScope : texts::kSystemScope});
    return true;
}

} // namespace kelvane
