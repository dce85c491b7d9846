// Sorting, scanning, inserting and deleting on safe arrays with any lower bound.
#include "genlibapi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace genlibtest;

using Texts = std::vector<std::string>;

TEST(Genlib40Arrays, SortStringComparesCharacterCodes)
{
    for (int32_t lower : {0, 1, -3, 7}) {
        auto a = newStrings(lower, {"b", "ab", "B", "a", "", std::string_view("a\0c", 3), "A"});
        lib().SortString(a->handle());
        EXPECT_EQ(texts(*a), (Texts{"", "A", "B", "a", std::string("a\0c", 3), "ab", "b"}))
            << "lower bound " << lower;
        EXPECT_EQ(a->lower(), lower);
    }
}

template <class T> std::vector<T> sorted(VARTYPE vt, std::vector<T> values, void (*sort)(SAFEARRAY**))
{
    SafeArray a(vt, -1, uint32_t(values.size()));
    std::copy(values.begin(), values.end(), a.data<T>());
    sort(a.handle());
    return std::vector<T>(a.data<T>(), a.data<T>() + values.size());
}

TEST(Genlib40Arrays, NumberSortsByValue)
{
    EXPECT_EQ(sorted<int16_t>(VT_I2, {3, -32768, 32767, 0, -1}, lib().SortInt),
              (std::vector<int16_t>{-32768, -1, 0, 3, 32767}));
    EXPECT_EQ(sorted<int32_t>(VT_I4, {70000, -5, 2, INT32_MIN}, lib().SortLong),
              (std::vector<int32_t>{INT32_MIN, -5, 2, 70000}));
    EXPECT_EQ(sorted<float>(VT_R4, {2.5f, -1.0f, 0.25f}, lib().SortSingle),
              (std::vector<float>{-1.0f, 0.25f, 2.5f}));
    EXPECT_EQ(sorted<double>(VT_R8, {1e300, -0.5, 3.0}, lib().SortDouble),
              (std::vector<double>{-0.5, 3.0, 1e300}));
    // Money compares as a 64-bit integer (value x 10000).
    EXPECT_EQ(sorted<int64_t>(VT_CY, {125000, -10000, INT64_MAX, 5}, lib().SortCurrency),
              (std::vector<int64_t>{-10000, 5, 125000, INT64_MAX}));
}

TEST(Genlib40Arrays, NaNDoesNotBreakTheSort)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> values;
    for (int i = 0; i < 200; ++i)
        values.push_back(i % 3 == 0 ? nan : double((i * 37) % 101));
    std::vector<double> out = sorted<double>(VT_R8, values, lib().SortDouble);
    size_t numbers = 0;
    while (numbers < out.size() && !std::isnan(out[numbers]))
        ++numbers;
    EXPECT_TRUE(std::is_sorted(out.begin(), out.begin() + long(numbers)));
    EXPECT_TRUE(std::all_of(out.begin() + long(numbers), out.end(), [](double d) { return std::isnan(d); }));
    EXPECT_EQ(out.size() - numbers, 67u);
}

TEST(Genlib40Arrays, WrongElementKindIsLeftAlone)
{
    SafeArray a(VT_I4, 0, 3);
    a.data<int32_t>()[0] = 3;
    a.data<int32_t>()[1] = 1;
    lib().SortInt(a.handle()); // 16-bit sort on a 32-bit array
    lib().SortString(a.handle());
    EXPECT_EQ(a.data<int32_t>()[0], 3);
    lib().SortString(nullptr);
    SAFEARRAY* none = nullptr;
    lib().SortString(&none);
}

TEST(Genlib40Arrays, ScanStringCountsFromStartAndRemoves)
{
    auto a = newStrings(1, {"een", "twee", "drie", "vier", "vijf"});
    int32_t count = 3;
    // list(3) .. list(5): "vier" is list(4), position 2 counted from list(3).
    EXPECT_EQ(lib().ScanString(a->handle(), 3, &count, "VIER", 0), 2);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(lib().ScanString(a->handle(), 3, &count, "Vier", -1), 2);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(texts(*a), (Texts{"een", "twee", "drie", "vijf", ""}));
    EXPECT_EQ(lib().ScanString(a->handle(), 3, &count, "een", 0), 0);
    count = 1;
    EXPECT_EQ(lib().ScanString(a->handle(), 1, &count, "twee", 0), 0) << "outside the count";
}

TEST(Genlib40Arrays, ScanStringClipsToTheBounds)
{
    auto a = newStrings(5, {"a", "b", "c"});
    int32_t count = 100;
    EXPECT_EQ(lib().ScanString(a->handle(), 3, &count, "a", 0), 3); // list(5) from start 3
    EXPECT_EQ(lib().ScanString(a->handle(), 6, &count, "c", -1), 2);
    EXPECT_EQ(count, 99);
    EXPECT_EQ(texts(*a), (Texts{"a", "b", ""}));
    count = 5;
    EXPECT_EQ(lib().ScanString(a->handle(), 100, &count, "a", 0), 0);
    EXPECT_EQ(lib().ScanString(a->handle(), INT32_MAX, &count, "a", 0), 0);
    count = INT32_MAX;
    EXPECT_EQ(lib().ScanString(a->handle(), INT32_MIN, &count, "a", 0), 0);
    EXPECT_EQ(lib().ScanString(a->handle(), 1, nullptr, "a", 0), 0);
}

TEST(Genlib40Arrays, InsertAndDeleteShiftWithinTheBounds)
{
    auto a = newStrings(-1, {"a", "b", "c", "d"});
    lib().InsertString(a->handle(), 0, "x");
    EXPECT_EQ(texts(*a), (Texts{"a", "x", "b", "c"}));
    lib().InsertString(a->handle(), 2, "y");
    EXPECT_EQ(texts(*a), (Texts{"a", "x", "b", "y"}));
    lib().DeleteString(a->handle(), -1);
    EXPECT_EQ(texts(*a), (Texts{"x", "b", "y", ""}));
    lib().DeleteString(a->handle(), 2);
    EXPECT_EQ(texts(*a), (Texts{"x", "b", "y", ""}));

    for (int32_t outside : {-2, 3, INT32_MIN, INT32_MAX}) {
        lib().InsertString(a->handle(), outside, "z");
        lib().DeleteString(a->handle(), outside);
    }
    EXPECT_EQ(texts(*a), (Texts{"x", "b", "y", ""}));
}
