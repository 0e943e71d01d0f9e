// Calls a method of a COM interface by its position in the interface's table of methods, and
// three helpers that give the address-sized values such a call takes.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>

namespace kelvane {

// Calls the method in slot (0 is QueryInterface, 1 AddRef, 2 Release, then the interface's own)
// of the live interface whose address is interfacePtr, with the interface pointer as its first
// argument and then methodArgs in order up to the first one not given: arguments behind a gap are
// ignored. At most ten are passed. Returns the method's own 32-bit result, negative HRESULTs
// included. The caller answers for the slot lying inside the table and for the number of arguments
// being the number the method takes.
std::int32_t
CallInterfaceSlot(std::uintptr_t interfacePtr, std::int32_t slot,
                  std::initializer_list<std::optional<std::uintptr_t>> methodArgs = {});

// The pointer-sized value stored at address, such as the interface pointer that a smart pointer
// holds.
std::uintptr_t ValueAtAddress(const void* address);

// The address of the data that a buffer holds: a container's elements, or the bytes of a plain
// record such as a VARIANT.
template <typename Buffer>
std::uintptr_t DataAddress(Buffer& buffer) {
    if constexpr (requires { std::data(buffer); }) {
        return reinterpret_cast<std::uintptr_t>(std::data(buffer));
    } else {
        return reinterpret_cast<std::uintptr_t>(std::addressof(buffer));
    }
}

// The address of the variable itself.
template <typename T>
std::uintptr_t AddressOf(T& variable) {
    return reinterpret_cast<std::uintptr_t>(std::addressof(variable));
}

} // namespace kelvane
