#include "tests/standin/StandInObjects.h"

#include <oaidl.h>
#include <oleauto.h>

#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "tests/standin/VariableStore.h"

namespace kelvane::standin {

namespace {

bool EqualIgnoringCase(std::wstring_view left, std::wstring_view right) {
    return CompareStringOrdinal(left.data(), static_cast<int>(left.size()), right.data(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

bool Refused(std::wstring_view member) {
    wchar_t list[1024] = {};
    const DWORD length = GetEnvironmentVariableW(L"KELVANE_STANDIN_REFUSE", list, 1024);
    if (length == 0 || length >= 1024) {
        return false;
    }
    std::wstring_view rest(list, length);
    while (!rest.empty()) {
        const std::size_t end = rest.find(L';');
        if (EqualIgnoringCase(rest.substr(0, end), member)) {
            return true;
        }
        rest = end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end + 1);
    }
    return false;
}

// A member's failure, the way automation servers report it: DISP_E_EXCEPTION with the cause.
HRESULT Fail(EXCEPINFO* exception, HRESULT cause) {
    if (exception != nullptr) {
        *exception = EXCEPINFO{};
        exception->scode = cause;
        exception->bstrSource = SysAllocString(L"WScript.Shell stand-in");
    }
    return DISP_E_EXCEPTION;
}

// The argument as text; nothing when it has no text form.
std::optional<std::wstring> TextArgument(const VARIANTARG& argument) {
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, const_cast<VARIANTARG*>(&argument), 0, VT_BSTR))) {
        return std::nullopt;
    }
    std::wstring result(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
    VariantClear(&text);
    return result;
}

void ReturnText(VARIANT* result, std::wstring_view text) {
    if (result != nullptr) {
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
}

// Reference counting and IUnknown for one interface besides IUnknown itself.
template <typename Interface>
class ComObject : public Interface {
  public:
    virtual ~ComObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  private:
    std::atomic<ULONG> references_{1};
};

struct Member {
    const wchar_t* name;
    DISPID id;
};

// IDispatch without a type library: members found by name in a fixed table.
class DispatchObject : public ComObject<IDispatch> {
  public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        HRESULT status = S_OK;
        for (UINT k = 0; k < count; ++k) {
            ids[k] = DISPID_UNKNOWN;
            for (const Member& member : Members()) {
                if (EqualIgnoringCase(names[k], member.name)) {
                    ids[k] = member.id;
                }
            }
            if (ids[k] == DISPID_UNKNOWN) {
                status = DISP_E_UNKNOWNNAME;
            }
        }
        return status;
    }

  protected:
    virtual std::span<const Member> Members() const = 0;

    bool RefusedMember(DISPID id) const {
        for (const Member& member : Members()) {
            if (member.id == id) {
                return Refused(member.name);
            }
        }
        return false;
    }
};

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

class Enumerator : public ComObject<IEnumVARIANT> {
  public:
    explicit Enumerator(std::vector<std::wstring> items, std::size_t position = 0)
        : items_(std::move(items)), position_(position) {}

    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* elements, ULONG* fetched) override {
        if (elements == nullptr || (fetched == nullptr && wanted != 1)) {
            return E_POINTER;
        }
        // Refused, it fails once the first element is out, leaving the count alone.
        if (position_ > 0 && Refused(L"Next")) {
            return E_ACCESSDENIED;
        }
        ULONG count = 0;
        while (count < wanted && position_ < items_.size()) {
            VARIANT& element = elements[count];
            VariantInit(&element);
            ReturnText(&element, items_[position_]);
            ++position_;
            ++count;
        }
        if (fetched != nullptr) {
            *fetched = count;
        }
        return count == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = items_.size() - position_;
        position_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (copy == nullptr) {
            return E_POINTER;
        }
        *copy = new Enumerator(items_, position_);
        return S_OK;
    }

  private:
    std::vector<std::wstring> items_;
    std::size_t position_;
};

class Collection : public DispatchObject {
  public:
    explicit Collection(std::unique_ptr<VariableStore> store) : store_(std::move(store)) {}

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override {
        if (parameters == nullptr) {
            return E_POINTER;
        }
        if (result != nullptr) {
            VariantInit(result);
        }
        if (RefusedMember(id)) {
            return Fail(exception, E_ACCESSDENIED);
        }
        // Invoke has the arguments last first; the named one of a put comes first of all.
        const std::span<VARIANTARG> arguments(parameters->rgvarg, parameters->cArgs);
        switch (id) {
        case kItem:
            if ((flags & DISPATCH_PROPERTYPUT) != 0) {
                if (arguments.size() != 2 || parameters->cNamedArgs != 1 ||
                    parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
                    return DISP_E_BADPARAMCOUNT;
                }
                const auto name = TextArgument(arguments[1]);
                const auto value = TextArgument(arguments[0]);
                if (!name || !value) {
                    return DISP_E_TYPEMISMATCH;
                }
                if (name->empty()) {
                    return Fail(exception, E_INVALIDARG);
                }
                const HRESULT status = store_->Put(*name, *value);
                return FAILED(status) ? Fail(exception, status) : S_OK;
            }
            if ((flags & kGet) != 0) {
                if (arguments.size() != 1) {
                    return DISP_E_BADPARAMCOUNT;
                }
                const auto name = TextArgument(arguments[0]);
                if (!name) {
                    return DISP_E_TYPEMISMATCH;
                }
                if (name->empty()) {
                    return Fail(exception, E_INVALIDARG);
                }
                // A variable that is not there reads as the empty text.
                ReturnText(result, store_->Get(*name).value_or(std::wstring()));
                return S_OK;
            }
            return DISP_E_MEMBERNOTFOUND;
        case kRemove: {
            if ((flags & DISPATCH_METHOD) == 0) {
                return DISP_E_MEMBERNOTFOUND;
            }
            if (arguments.size() != 1) {
                return DISP_E_BADPARAMCOUNT;
            }
            const auto name = TextArgument(arguments[0]);
            if (!name) {
                return DISP_E_TYPEMISMATCH;
            }
            const HRESULT status = name->empty() ? E_INVALIDARG : store_->Remove(*name);
            return FAILED(status) ? Fail(exception, status) : S_OK;
        }
        case kLength:
        case kCount:
            if ((flags & kGet) == 0) {
                return DISP_E_MEMBERNOTFOUND;
            }
            if (!arguments.empty()) {
                return DISP_E_BADPARAMCOUNT;
            }
            if (result != nullptr) {
                V_VT(result) = VT_I4;
                V_I4(result) = static_cast<LONG>(store_->All().size());
            }
            return S_OK;
        case DISPID_NEWENUM: {
            if ((flags & kGet) == 0) {
                return DISP_E_MEMBERNOTFOUND;
            }
            std::vector<std::wstring> items;
            for (auto& [name, value] : store_->All()) {
                items.push_back(name + L"=" + value);
            }
            if (result != nullptr) {
                V_VT(result) = VT_UNKNOWN;
                V_UNKNOWN(result) = new Enumerator(std::move(items));
            }
            return S_OK;
        }
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

  protected:
    std::span<const Member> Members() const override { return kMembers; }

  private:
    static constexpr DISPID kItem = DISPID_VALUE;
    static constexpr DISPID kLength = 1;
    static constexpr DISPID kCount = 2;
    static constexpr DISPID kRemove = 3;
    static constexpr Member kMembers[] = {{L"Item", kItem},
                                          {L"length", kLength},
                                          {L"Count", kCount},
                                          {L"Remove", kRemove},
                                          {L"_NewEnum", DISPID_NEWENUM}};

    std::unique_ptr<VariableStore> store_;
};

class Shell : public DispatchObject {
  public:
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override {
        if (parameters == nullptr) {
            return E_POINTER;
        }
        if (result != nullptr) {
            VariantInit(result);
        }
        if (id != kEnvironment || (flags & kGet) == 0) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (RefusedMember(id)) {
            return Fail(exception, E_ACCESSDENIED);
        }
        if (parameters->cArgs > 1) {
            return DISP_E_BADPARAMCOUNT;
        }
        // Without an argument Windows gives the system's variables.
        const auto scope = parameters->cArgs == 0 ? std::optional<std::wstring>(L"System")
                                                  : TextArgument(parameters->rgvarg[0]);
        if (!scope) {
            return DISP_E_TYPEMISMATCH;
        }
        auto store = OpenStore(*scope);
        if (store == nullptr) {
            return Fail(exception, E_INVALIDARG);
        }
        if (result != nullptr) {
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = new Collection(std::move(store));
        }
        return S_OK;
    }

  protected:
    std::span<const Member> Members() const override { return kMembers; }

  private:
    static constexpr DISPID kEnvironment = 1;
    static constexpr Member kMembers[] = {{L"Environment", kEnvironment}};
};

} // namespace

HRESULT CreateShell(REFIID iid, void** object) {
    auto* shell = new Shell;
    const HRESULT status = shell->QueryInterface(iid, object);
    shell->Release();
    return status;
}

} // namespace kelvane::standin
