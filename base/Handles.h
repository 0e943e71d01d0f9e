// Owners for Windows handles: one type per kind of handle, copy deleted, move allowed.
#pragma once

#include <windows.h>

#include <utility>

namespace kelvane {

// Owns one handle described by Traits: Traits::Type, Traits::Invalid() (the value that means
// "no handle") and Traits::Close(handle).
template <typename Traits>
class UniqueAny {
  public:
    using Handle = typename Traits::Type;

    UniqueAny() noexcept = default;
    explicit UniqueAny(Handle handle) noexcept : handle_(handle) {}
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueAny() { reset(); }

    [[nodiscard]] Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }
    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) noexcept {
        if (handle_ != Traits::Invalid()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

namespace detail {

template <typename H, auto CloseFunction>
struct NullIsInvalid {
    using Type = H;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type handle) noexcept { CloseFunction(handle); }
};

// CreateFile and FindFirstFile report failure as INVALID_HANDLE_VALUE, not as null.
template <auto CloseFunction>
struct MinusOneIsInvalid {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept { CloseFunction(handle); }
};

} // namespace detail

using UniqueFile = UniqueAny<detail::MinusOneIsInvalid<CloseHandle>>;
using UniqueFind = UniqueAny<detail::MinusOneIsInvalid<FindClose>>;
using UniqueWindow = UniqueAny<detail::NullIsInvalid<HWND, DestroyWindow>>;
using UniqueModule = UniqueAny<detail::NullIsInvalid<HMODULE, FreeLibrary>>;
using UniqueLocal = UniqueAny<detail::NullIsInvalid<HLOCAL, LocalFree>>;

} // namespace kelvane
