#include "engine/document/ObjectStore.h"

#include <gtest/gtest.h>

#include "engine/syntax/SyntaxErrors.h"
#include "support/ErrorMatchers.h"

namespace kp {
namespace {

std::unique_ptr<TkpPDFIndirectObject> Indirect(int32_t serial, int32_t number, uint16_t generation, TkpPDFObjectPtr body) {
    return std::make_unique<TkpPDFIndirectObject>(serial, number, generation, std::move(body));
}

TEST(ObjectStore, FirstAddedUnderAnIdentityWins) {
    TkpPDFObjectStore store;
    store.Add(Indirect(101, 5, 0, std::make_unique<TkpPDFIntegerObject>(1)));
    store.Add(Indirect(101, 5, 0, std::make_unique<TkpPDFIntegerObject>(2)));
    store.Add(Indirect(102, 5, 0, std::make_unique<TkpPDFIntegerObject>(3)));
    store.Add(Indirect(101, 5, 1, std::make_unique<TkpPDFIntegerObject>(4)));
    EXPECT_EQ(store.Count(), 4);
    EXPECT_EQ(store.IndexOf(101, 5, 0), 0);
    EXPECT_EQ(store.IndexOf(102, 5, 0), 2) << "another document's serial is another identity";
    EXPECT_EQ(store.IndexOf(101, 5, 1), 3);
    EXPECT_EQ(store.IndexOf(101, 6, 0), -1);
    TkpPDFIndirectReference ref(101, 5, 0);
    EXPECT_EQ(As<TkpPDFIntegerObject>(store.Find(&ref)->Body.get())->Value, 1);
    EXPECT_EQ(store.Find(nullptr), nullptr);
    EXPECT_ERROR(store.Add(nullptr), syntax::ENullObjectError, "Expected PDF null object");
    EXPECT_ERROR(store.Add(Indirect(101, -1, 0, nullptr)), syntax::EInvalidID, "Invalid unique ID (-1)");
    EXPECT_ERROR(store.Items(4), pw::EListError, "List index out of bounds (4)");
    store.SetObjectNumberCounter(9);
    EXPECT_EQ(store.NewObjectNumber(), 10);
}

TEST(ObjectStore, ResolveFamily) {
    TkpPDFObjectStore store;
    auto array = std::make_unique<TkpPDFArrayObject>();
    array->AddInteger(7);
    store.Add(Indirect(1, 2, 0, std::move(array)));
    store.Add(Indirect(1, 3, 0, std::make_unique<TkpPDFIndirectReference>(1, 2, 0)));  // a reference to a reference
    store.Add(Indirect(1, 4, 0, std::make_unique<TkpPDFIndirectReference>(1, 5, 0)));  // 4 -> 5 -> 4: a loop
    store.Add(Indirect(1, 5, 0, std::make_unique<TkpPDFIndirectReference>(1, 4, 0)));

    TkpPDFIndirectReference toArray(1, 3, 0), missing(1, 9, 0), loop(1, 4, 0);
    EXPECT_EQ(store.ResolveArray(&toArray)->Count(), 1);
    EXPECT_EQ(store.ResolveArray(&missing), nullptr);
    EXPECT_EQ(store.ResolveArray(&loop), nullptr) << "a loop resolves to nothing instead of hanging";
    EXPECT_EQ(store.ResolveArray(nullptr), nullptr);
    TkpPDFNullObject null;
    EXPECT_EQ(store.ResolveArray(&null), nullptr);
    EXPECT_ERROR(store.ResolveDict(&null), syntax::EUnexpectedObjectError, "Unexpected PDF object encountered");
    EXPECT_ERROR(store.ResolveDict(&toArray), syntax::EUnexpectedObjectError, "Unexpected PDF object encountered");
    TkpPDFIntegerObject seven(7);
    EXPECT_EQ(store.ResolveInteger(&seven), &seven);
    EXPECT_THROW(store.ResolveName(&seven), syntax::EUnexpectedObjectError);

    EXPECT_EQ(store.ResolveDirect(&toArray)->ObjectType(), otArray);
    EXPECT_EQ(store.ResolveDirect(store.Items(0)), store.Items(0)->Body.get()) << "indirect objects to their values";
    EXPECT_EQ(store.ResolveDirect(&missing), nullptr);
    EXPECT_EQ(store.ResolveDirect(&loop), nullptr);
    EXPECT_EQ(store.ResolveDirect(&null), &null);
}

}  // namespace
}  // namespace kp
