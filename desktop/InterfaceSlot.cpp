#include "desktop/InterfaceSlot.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <utility>

namespace kelvane {

namespace {

constexpr std::size_t kMostArguments = 10;

template <std::size_t>
using Argument = std::uintptr_t;

// What a method table holds. Kept as the one function type that may be cast to any other.
using AnyMethod = void (*)();

// COM methods take their arguments on the callee-cleaned stdcall convention on x86 (on x64
// there is one convention): a typed call with the right count is all that is needed, and no
// code is written at run time.
template <std::size_t... Index>
std::int32_t CallWith(AnyMethod method, const void* interfacePtr, const std::uintptr_t* arguments,
                      std::index_sequence<Index...>) {
    using Method = HRESULT(STDMETHODCALLTYPE*)(const void*, Argument<Index>...);
    return reinterpret_cast<Method>(method)(interfacePtr, arguments[Index]...);
}

template <std::size_t... Count>
constexpr auto MakeCallers(std::index_sequence<Count...>) {
    using Caller = std::int32_t (*)(AnyMethod, const void*, const std::uintptr_t*);
    return std::array<Caller, sizeof...(Count)>{
        [](AnyMethod method, const void* interfacePtr, const std::uintptr_t* arguments) {
            return CallWith(method, interfacePtr, arguments, std::make_index_sequence<Count>());
        }...};
}

// One caller per number of arguments, 0 to 10.
constexpr auto kCallers = MakeCallers(std::make_index_sequence<kMostArguments + 1>());

} // namespace

std::int32_t CallInterfaceSlot(std::uintptr_t interfacePtr, std::int32_t slot,
                               std::initializer_list<std::optional<std::uintptr_t>> methodArgs) {
    std::array<std::uintptr_t, kMostArguments> arguments{};
    std::size_t count = 0;
    for (const std::optional<std::uintptr_t>& argument : methodArgs) {
        if (!argument || count == kMostArguments) {
            break;
        }
        arguments[count++] = *argument;
    }
    const void* const object = reinterpret_cast<const void*>(interfacePtr);
    const AnyMethod* table = *static_cast<const AnyMethod* const*>(object);
    return kCallers[count](table[slot], object, arguments.data());
}

std::uintptr_t ValueAtAddress(const void* address) {
    std::uintptr_t value = 0;
    std::memcpy(&value, address, sizeof value);
    return value;
}

} // namespace kelvane
