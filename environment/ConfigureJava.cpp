#include "environment/ConfigureJava.h"

#include <windows.h>

#include <cstdint>
#include <optional>

#include "SystemTexts.h"
#include "desktop/ShowMessage.h"
#include "environment/JavaVariables.h"
#include "environment/SystemEnvironment.h"

namespace kelvane {

namespace {

constexpr UINT kBroadcastTimeoutMs = 5000;

// The command always works on the system scope.
class SystemScope final : public VariableStore {
  public:
    explicit SystemScope(SystemEnvironment& environment) : environment_(environment) {}

    Text Read(std::string_view name, bool& convertedWithLoss) override {
        return environment_.GetVariable(std::nullopt, name, &convertedWithLoss);
    }
    bool Write(std::string_view name, std::string_view value) override {
        return environment_.SetVariable(std::nullopt, name, value);
    }

  private:
    SystemEnvironment& environment_;
};

// Programs that are running, Explorer first, take new values of the persistent variables only
// from this broadcast; without it a command prompt opened from Explorer would not see them.
// SMTO_ABORTIFHUNG: a hung window must not hold up the command.
void AnnounceEnvironmentChange() {
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>(texts::kEnvironmentSection), SMTO_ABORTIFHUNG,
                        kBroadcastTimeoutMs, nullptr);
}

} // namespace

void ConfigureJava(CommandWindow& window) {
    window.EnableConfigure(false);
    SystemScope store(window.Environment());
    const TextArray failed = WriteJavaVariables(store, window.PathText());
    AnnounceEnvironmentChange();
    window.EnableConfigure(true);
    const std::optional<std::uint32_t> style =
        failed.empty() ? std::nullopt : std::optional<std::uint32_t>(MB_ICONERROR);
    ShowMessage(ConfigureMessage(failed), style, std::nullopt, window.Handle());
}

} // namespace kelvane
