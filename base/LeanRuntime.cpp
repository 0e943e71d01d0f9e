// Kelvane's own definitions of the few pieces of the C++ runtime that the static exe would
// otherwise take from libstdc++. The program throws nothing and catches nothing, yet the
// library's versions of these functions throw or print, and with them come the exception
// objects, the unwinder and the demangler: the larger part of a static exe. Here every one of
// them ends the process at once, as an uncaught exception would.
//
// Linked into the shipped exe only: the tests keep the library's versions, which GoogleTest
// relies on. A duplicate-symbol error at link time means that a newer library has moved one of
// these into an object file with other definitions that the exe also needs.
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void Fail() noexcept {
    std::abort();
}

void* Allocate(std::size_t size) noexcept {
    // malloc(0) may give null; operator new must give a distinct pointer all the same.
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        Fail();
    }
    return memory;
}

} // namespace

// The throwing helpers that the standard containers and strings call on a misuse or when memory
// runs out (libstdc++'s functexcept.o, whole, so that none of it is pulled in beside these).
namespace std {
[[noreturn]] void __throw_bad_exception() {
    Fail();
}
[[noreturn]] void __throw_bad_alloc() {
    Fail();
}
[[noreturn]] void __throw_bad_array_new_length() {
    Fail();
}
[[noreturn]] void __throw_bad_cast() {
    Fail();
}
[[noreturn]] void __throw_bad_typeid() {
    Fail();
}
[[noreturn]] void __throw_logic_error(const char*) {
    Fail();
}
[[noreturn]] void __throw_domain_error(const char*) {
    Fail();
}
[[noreturn]] void __throw_invalid_argument(const char*) {
    Fail();
}
[[noreturn]] void __throw_length_error(const char*) {
    Fail();
}
[[noreturn]] void __throw_out_of_range(const char*) {
    Fail();
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    Fail();
}
[[noreturn]] void __throw_runtime_error(const char*) {
    Fail();
}
[[noreturn]] void __throw_range_error(const char*) {
    Fail();
}
[[noreturn]] void __throw_overflow_error(const char*) {
    Fail();
}
[[noreturn]] void __throw_underflow_error(const char*) {
    Fail();
}
} // namespace std

// The default terminate handler prints the demangled name of the exception's type; nothing is
// thrown here, and a GUI program has nowhere to print to.
namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() {
    Fail();
}
} // namespace __gnu_cxx

extern "C" [[noreturn]] void __cxa_pure_virtual() {
    Fail();
}
extern "C" [[noreturn]] void __cxa_deleted_virtual() {
    Fail();
}

// Allocation that ends the process when memory runs out, rather than throwing std::bad_alloc.
void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
