#include "environment/Automation.h"

#include <objbase.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "environment/WideText.h"

namespace kelvane {

using Microsoft::WRL::ComPtr;

namespace {

std::span<const std::string_view> AsSpan(std::initializer_list<std::string_view> list) {
    return {list.begin(), list.size()};
}

} // namespace

UniqueBstr::UniqueBstr(std::string_view ansiText) {
    const std::wstring wide = AnsiToWide(ansiText);
    value_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

UniqueBstr& UniqueBstr::operator=(UniqueBstr&& other) noexcept {
    reset(other.release());
    return *this;
}

BSTR UniqueBstr::release() noexcept {
    BSTR value = value_;
    value_ = nullptr;
    return value;
}

void UniqueBstr::reset(BSTR value) noexcept {
    if (value_ != nullptr) {
        SysFreeString(value_);
    }
    value_ = value;
}

Text VariantToText(const VARIANT& value, bool* convertedWithLoss) {
    if (convertedWithLoss != nullptr) {
        *convertedWithLoss = false;
    }
    UniqueVariant asText;
    // The headers declare the source without const; VariantChangeType only reads it.
    if (FAILED(VariantChangeType(asText.get(), const_cast<VARIANT*>(&value), 0, VT_BSTR)) ||
        V_VT(asText.get()) != VT_BSTR || V_BSTR(asText.get()) == nullptr) {
        return {};
    }
    const BSTR text = V_BSTR(asText.get());
    return WideToAnsi(std::wstring_view(text, SysStringLen(text)), convertedWithLoss);
}

double VariantToNumber(const VARIANT& value) {
    UniqueVariant asNumber;
    if (FAILED(VariantChangeType(asNumber.get(), const_cast<VARIANT*>(&value), 0, VT_R8)) ||
        V_VT(asNumber.get()) != VT_R8) {
        return 0;
    }
    return V_R8(asNumber.get());
}

bool AutomationObject::Create(std::string_view progId) {
    Release();
    const std::wstring wideProgId = AnsiToWide(progId);
    CLSID classId{};
    if (wideProgId.empty() || FAILED(CLSIDFromProgID(wideProgId.c_str(), &classId))) {
        return false;
    }
    ComPtr<IDispatch> created;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IDispatch, reinterpret_cast<void**>(created.GetAddressOf()))) ||
        created == nullptr) {
        return false;
    }
    dispatch_ = std::move(created);
    return true;
}

bool AutomationObject::Request(std::string_view member, WORD flags,
                               std::span<const std::string_view> arguments,
                               UniqueVariant& result) const {
    if (dispatch_ == nullptr) {
        return false;
    }
    std::wstring wideMember = AnsiToWide(member);
    LPOLESTR names[] = {wideMember.data()};
    DISPID memberId = DISPID_UNKNOWN;
    if (wideMember.empty() ||
        FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &memberId))) {
        return false;
    }

    // Invoke takes the arguments last first.
    std::vector<UniqueBstr> texts;
    texts.reserve(arguments.size());
    std::vector<VARIANTARG> passed(arguments.size());
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        texts.emplace_back(arguments[k]);
        if (texts.back().get() == nullptr) {
            return false;
        }
        VARIANTARG& slot = passed[arguments.size() - 1 - k];
        VariantInit(&slot);
        V_VT(&slot) = VT_BSTR;
        V_BSTR(&slot) = texts.back().get();
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{};
    parameters.rgvarg = passed.empty() ? nullptr : passed.data();
    parameters.cArgs = static_cast<UINT>(passed.size());
    if (flags == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }

    EXCEPINFO exception{};
    UINT badArgument = 0;
    const HRESULT status = dispatch_->Invoke(memberId, IID_NULL, LOCALE_USER_DEFAULT, flags,
                                             &parameters, result.get(), &exception, &badArgument);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (FAILED(status)) {
        VariantClear(result.get());
        return false;
    }
    return true;
}

namespace {

WORD FlagsOf(RequestKind kind) {
    return kind == RequestKind::Method ? DISPATCH_METHOD | DISPATCH_PROPERTYGET
                                       : DISPATCH_PROPERTYGET;
}

} // namespace

Text AutomationObject::RequestText(std::string_view member, RequestKind kind,
                                   std::initializer_list<std::string_view> arguments,
                                   bool* convertedWithLoss) const {
    if (convertedWithLoss != nullptr) {
        *convertedWithLoss = false;
    }
    UniqueVariant result;
    if (!Request(member, FlagsOf(kind), AsSpan(arguments), result)) {
        return {};
    }
    return VariantToText(*result.get(), convertedWithLoss);
}

double AutomationObject::RequestNumber(std::string_view member, RequestKind kind,
                                       std::initializer_list<std::string_view> arguments) const {
    UniqueVariant result;
    if (!Request(member, FlagsOf(kind), AsSpan(arguments), result)) {
        return 0;
    }
    return VariantToNumber(*result.get());
}

ComPtr<IUnknown>
AutomationObject::RequestInterface(std::string_view member, RequestKind kind,
                                   std::initializer_list<std::string_view> arguments) const {
    UniqueVariant result;
    if (!Request(member, FlagsOf(kind), AsSpan(arguments), result)) {
        return nullptr;
    }
    const VARIANT& value = *result.get();
    ComPtr<IUnknown> object;
    if (V_VT(&value) == VT_DISPATCH && V_DISPATCH(&value) != nullptr) {
        object = V_DISPATCH(&value);
    } else if (V_VT(&value) == VT_UNKNOWN && V_UNKNOWN(&value) != nullptr) {
        object = V_UNKNOWN(&value);
    }
    return object;
}

AutomationObject
AutomationObject::RequestObject(std::string_view member, RequestKind kind,
                                std::initializer_list<std::string_view> arguments) const {
    const ComPtr<IUnknown> object = RequestInterface(member, kind, arguments);
    ComPtr<IDispatch> dispatch;
    if (object == nullptr || FAILED(object.As(&dispatch))) {
        return {};
    }
    return AutomationObject(std::move(dispatch));
}

bool AutomationObject::PutProperty(std::string_view member, std::string_view index,
                                   std::string_view value) const {
    const std::string_view arguments[] = {index, value};
    UniqueVariant ignored;
    return Request(member, DISPATCH_PROPERTYPUT, arguments, ignored);
}

} // namespace kelvane
