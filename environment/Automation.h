// The automation layer: objects created by their ProgID and asked for members by name through
// IDispatch, with the results converted to text, number or object. Nothing here throws; a
// failed request gives the empty result of its kind.
#pragma once

#include <oaidl.h>
#include <wrl/client.h>

#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>

#include "base/Types.h"

namespace kelvane {

// Owns one BSTR.
class UniqueBstr {
  public:
    UniqueBstr() noexcept = default;
    explicit UniqueBstr(BSTR value) noexcept : value_(value) {}
    explicit UniqueBstr(std::string_view ansiText);
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    UniqueBstr(UniqueBstr&& other) noexcept : value_(other.release()) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept;
    ~UniqueBstr() { reset(); }

    [[nodiscard]] BSTR get() const noexcept { return value_; }
    [[nodiscard]] BSTR release() noexcept;
    void reset(BSTR value = nullptr) noexcept;

  private:
    BSTR value_ = nullptr;
};

// Owns one VARIANT: initialised empty, cleared when it goes.
class UniqueVariant {
  public:
    UniqueVariant() noexcept { VariantInit(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&value_); }

    VARIANT* get() noexcept { return &value_; }
    const VARIANT* get() const noexcept { return &value_; }

  private:
    VARIANT value_;
};

// The text a VARIANT converts to (through a BSTR copy, the VARIANT itself unchanged), in the
// ANSI code page; the empty text when it has none. convertedWithLoss as for WideToAnsi.
Text VariantToText(const VARIANT& value, bool* convertedWithLoss = nullptr);
// The 64-bit real a VARIANT converts to; 0 when it has none.
double VariantToNumber(const VARIANT& value);

// How a member is asked for. A method request also reaches a property that takes parameters,
// as a property get: that is how collections such as "Environment" are reached.
enum class RequestKind { Method, PropertyGet };

class AutomationObject {
  public:
    AutomationObject() noexcept = default;
    explicit AutomationObject(Microsoft::WRL::ComPtr<IDispatch> dispatch) noexcept
        : dispatch_(std::move(dispatch)) {}

    // Creates an instance of the class registered for progId. On failure the object stays empty.
    [[nodiscard]] bool Create(std::string_view progId);
    // Releases the interface held; nothing happens to an empty object.
    void Release() noexcept { dispatch_.Reset(); }
    [[nodiscard]] bool Empty() const noexcept { return dispatch_ == nullptr; }
    [[nodiscard]] IDispatch* Get() const noexcept { return dispatch_.Get(); }

    // Requests by member name with text arguments, the result taken as the kind asked for.
    Text RequestText(std::string_view member, RequestKind kind,
                     std::initializer_list<std::string_view> arguments = {},
                     bool* convertedWithLoss = nullptr) const;
    double RequestNumber(std::string_view member, RequestKind kind,
                         std::initializer_list<std::string_view> arguments = {}) const;
    AutomationObject RequestObject(std::string_view member, RequestKind kind,
                                   std::initializer_list<std::string_view> arguments = {}) const;
    // The result as whatever interface the member hands out (an enumerator has no IDispatch).
    Microsoft::WRL::ComPtr<IUnknown>
    RequestInterface(std::string_view member, RequestKind kind,
                     std::initializer_list<std::string_view> arguments = {}) const;
    // Property put: the index arguments first, the assigned value last. True when it completed
    // without an automation error.
    [[nodiscard]] bool PutProperty(std::string_view member, std::string_view index,
                                   std::string_view value) const;

  private:
    // The raw request. For a property put the last argument is the assigned value. False, with
    // result left empty, on any failure.
    bool Request(std::string_view member, WORD flags, std::span<const std::string_view> arguments,
                 UniqueVariant& result) const;

    Microsoft::WRL::ComPtr<IDispatch> dispatch_;
};

} // namespace kelvane
