#include "desktop/InterfaceSlot.h"

#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

// An enumerator that records how it was called and answers what the test asks.
class RecordingEnumerator : public IEnumVARIANT {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* elements, ULONG* fetched) override {
        calls.push_back("Next");
        self = this;
        nextWanted = wanted;
        nextElements = elements;
        nextFetched = fetched;
        if (fetched != nullptr) {
            *fetched = 1;
        }
        if (elements != nullptr) {
            V_VT(elements) = VT_I4;
            V_I4(elements) = 42;
        }
        return answer;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        calls.push_back("Skip");
        skipped = count;
        return answer;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        calls.push_back("Reset");
        return answer;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT**) override { return E_NOTIMPL; }

    HRESULT answer = S_OK;
    ULONG references = 1;
    std::vector<const char*> calls;
    const void* self = nullptr;
    ULONG nextWanted = 0;
    VARIANT* nextElements = nullptr;
    ULONG* nextFetched = nullptr;
    ULONG skipped = 0;
};

constexpr std::int32_t kNext = 3;
constexpr std::int32_t kSkip = 4;
constexpr std::int32_t kReset = 5;

TEST(CallInterfaceSlot, CallsNextWithItsArgumentsInOrder) {
    RecordingEnumerator enumerator;
    IEnumVARIANT* pointer = &enumerator;
    VARIANT element;
    VariantInit(&element);
    ULONG fetched = 0;
    const std::int32_t result = CallInterfaceSlot(ValueAtAddress(&pointer), kNext,
                                                  {1, DataAddress(element), AddressOf(fetched)});
    EXPECT_EQ(result, S_OK);
    EXPECT_EQ(enumerator.calls, (std::vector<const char*>{"Next"}));
    EXPECT_EQ(enumerator.self, &enumerator);
    EXPECT_EQ(enumerator.nextWanted, 1u);
    EXPECT_EQ(enumerator.nextElements, &element);
    EXPECT_EQ(enumerator.nextFetched, &fetched);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(V_I4(&element), 42);
}

TEST(CallInterfaceSlot, PassesTheResultOnUnchanged) {
    for (const HRESULT answer :
         {S_OK, S_FALSE, E_FAIL, E_ACCESSDENIED, HRESULT(0x7FFFFFFF), DISP_E_EXCEPTION}) {
        SCOPED_TRACE(answer);
        RecordingEnumerator enumerator;
        enumerator.answer = answer;
        EXPECT_EQ(
            CallInterfaceSlot(
                reinterpret_cast<std::uintptr_t>(static_cast<IEnumVARIANT*>(&enumerator)), kReset),
            answer);
        EXPECT_EQ(enumerator.calls, (std::vector<const char*>{"Reset"}));
    }
}

TEST(CallInterfaceSlot, StopsAtTheFirstArgumentNotGiven) {
    RecordingEnumerator enumerator;
    const auto pointer = reinterpret_cast<std::uintptr_t>(static_cast<IEnumVARIANT*>(&enumerator));
    // Skip takes one argument: the two behind the gap must not reach it.
    EXPECT_EQ(CallInterfaceSlot(pointer, kSkip, {7, std::nullopt, 9, 10}), S_OK);
    EXPECT_EQ(enumerator.skipped, 7u);
    // The slots of IUnknown are reached the same way.
    EXPECT_EQ(CallInterfaceSlot(pointer, 1), 2);
    EXPECT_EQ(CallInterfaceSlot(pointer, 2), 1);
    EXPECT_EQ(CallInterfaceSlot(pointer, kReset, {std::nullopt, 5}), S_OK);
    EXPECT_EQ(enumerator.calls, (std::vector<const char*>{"Skip", "Reset"}));
}

// An interface with one method per number of arguments, 0 to 10, each recording what it got.
struct Recorder;
struct RecorderTable {
    void* unknown[3];
    void (*methods[11])(); // the one function type that converts to any other
};
struct Recorder {
    const void* table;
    std::vector<std::uintptr_t> received;
    const Recorder* self = nullptr;
};

template <std::size_t>
using Word = std::uintptr_t;

template <std::size_t... Index>
auto MakeMethod(std::index_sequence<Index...>) {
    return reinterpret_cast<void (*)()>(
        static_cast<HRESULT(STDMETHODCALLTYPE*)(Recorder*, Word<Index>...)>(
            [](Recorder* recorder, Word<Index>... words) STDMETHODCALLTYPE -> HRESULT {
                recorder->self = recorder;
                recorder->received = {words...};
                return static_cast<HRESULT>(0x80000000u | sizeof...(Index));
            }));
}

template <std::size_t... Count>
RecorderTable MakeTable(std::index_sequence<Count...>) {
    return RecorderTable{{}, {MakeMethod(std::make_index_sequence<Count>())...}};
}

TEST(CallInterfaceSlot, PassesUpToTenArgumentsInOrder) {
    static const RecorderTable table = MakeTable(std::make_index_sequence<11>());
    const std::vector<std::uintptr_t> all = {11, 22, 33, 44, 55, 66, 77, 88, 99, 1010};
    for (std::size_t count = 0; count <= 10; ++count) {
        SCOPED_TRACE(count);
        Recorder recorder{&table, {}};
        const auto pointer = reinterpret_cast<std::uintptr_t>(&recorder);
        const std::int32_t slot = static_cast<std::int32_t>(3 + count);
        std::int32_t result = 0;
        switch (count) { // the arguments as a caller writes them
        case 0:
            result = CallInterfaceSlot(pointer, slot);
            break;
        case 1:
            result = CallInterfaceSlot(pointer, slot, {11});
            break;
        case 2:
            result = CallInterfaceSlot(pointer, slot, {11, 22});
            break;
        case 3:
            result = CallInterfaceSlot(pointer, slot, {11, 22, 33});
            break;
        case 4:
            result = CallInterfaceSlot(pointer, slot, {11, 22, 33, 44});
            break;
        case 5:
            result = CallInterfaceSlot(pointer, slot, {11, 22, 33, 44, 55});
            break;
        case 6:
            result = CallInterfaceSlot(pointer, slot, {11, 22, 33, 44, 55, 66});
            break;
        case 7:
            result = CallInterfaceSlot(pointer, slot, {11, 22, 33, 44, 55, 66, 77});
            break;
        case 8:
            result = CallInterfaceSlot(pointer, slot, {11, 22, 33, 44, 55, 66, 77, 88});
            break;
        case 9:
            result = CallInterfaceSlot(pointer, slot, {11, 22, 33, 44, 55, 66, 77, 88, 99});
            break;
        default:
            // An eleventh argument is never passed.
            result =
                CallInterfaceSlot(pointer, slot, {11, 22, 33, 44, 55, 66, 77, 88, 99, 1010, 1111});
        }
        EXPECT_EQ(result, static_cast<std::int32_t>(0x80000000u | count));
        EXPECT_EQ(recorder.self, &recorder);
        EXPECT_EQ(recorder.received,
                  std::vector<std::uintptr_t>(all.begin(), all.begin() + static_cast<long>(count)));
    }
}

TEST(AddressHelpers, GiveTheValueTheDataAndTheVariable) {
    VARIANT record;
    EXPECT_EQ(DataAddress(record), reinterpret_cast<std::uintptr_t>(&record));
    int number = 5;
    int* pointer = &number;
    EXPECT_EQ(ValueAtAddress(&pointer), reinterpret_cast<std::uintptr_t>(&number));
    EXPECT_EQ(AddressOf(number), reinterpret_cast<std::uintptr_t>(&number));
    std::vector<unsigned char> buffer(16);
    EXPECT_EQ(DataAddress(buffer), reinterpret_cast<std::uintptr_t>(buffer.data()));
    EXPECT_NE(DataAddress(buffer), AddressOf(buffer));
}

} // namespace
} // namespace kelvane
