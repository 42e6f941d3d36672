#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "error_number.hpp"
#include "runtime/conversions.hpp"
#include "runtime/runtime_error.hpp"

namespace bolvenda::runtime {
namespace {

using testing::error_number;

TEST(SingleToText, WholeNumbersArePlainDigits) {
    EXPECT_EQ(single_to_text(0.0f), "0");
    EXPECT_EQ(single_to_text(-0.0f), "0");
    EXPECT_EQ(single_to_text(7.0f), "7");
    EXPECT_EQ(single_to_text(20.0f), "20");
    EXPECT_EQ(single_to_text(16777216.0f), "16777216");  // 2^24, the last exact count
    EXPECT_EQ(single_to_text(-3.0f), "-3");
    EXPECT_EQ(single_to_text(1000000.0f), "1000000");
}

TEST(SingleToText, FractionsUseTheDecimalComma) {
    EXPECT_EQ(single_to_text(0.5f), "0,5");
    EXPECT_EQ(single_to_text(2.25f), "2,25");
    EXPECT_EQ(error_number([] { single_to_text(std::numeric_limits<float>::infinity()); }), 6);
}

TEST(TextToNumber, LeadingNumberRule) {
    EXPECT_EQ(text_to_number("0"), 0.0);
    EXPECT_EQ(text_to_number("20"), 20.0);
    EXPECT_EQ(text_to_number("   12"), 12.0);
    EXPECT_EQ(text_to_number("\t7 mosche"), 7.0);
    EXPECT_EQ(text_to_number("1 2 3"), 123.0);  // blanks are skipped inside the number too
    EXPECT_EQ(text_to_number("12abc"), 12.0);
    EXPECT_EQ(text_to_number("-3.5e2x"), -350.0);
    EXPECT_EQ(text_to_number("2D1"), 20.0);
    EXPECT_EQ(text_to_number("4e"), 4.0);  // an exponent without digits is not read
    EXPECT_EQ(text_to_number(".5"), 0.5);
    EXPECT_EQ(text_to_number("1.2.3"), 1.2);
    EXPECT_EQ(text_to_number("&H1F"), 31.0);
    EXPECT_EQ(text_to_number("&o17"), 15.0);
    EXPECT_EQ(text_to_number("&17"), 15.0);
}

TEST(TextToNumber, NoNumberGivesZero) {
    EXPECT_EQ(text_to_number(""), 0.0);
    EXPECT_EQ(text_to_number("abc"), 0.0);
    EXPECT_EQ(text_to_number("+"), 0.0);
    EXPECT_EQ(text_to_number("-."), 0.0);
    EXPECT_EQ(text_to_number(",5"), 0.0);
}

TEST(TextToNumber, HugeExponentOverflows) {
    EXPECT_EQ(error_number([] { text_to_number("1e400"); }), 6);
}

TEST(ToSingle, RoundsToNearestSingle) {
    EXPECT_EQ(to_single(0.1), 0.1f);
    EXPECT_EQ(to_single(16777217.0), 16777216.0f);  // halfway: ties to even
    EXPECT_EQ(to_single(16777219.0), 16777220.0f);
    EXPECT_EQ(to_single(20.0), 20.0f);
    EXPECT_EQ(to_single(-0.0), 0.0f);
}

TEST(ToSingle, BeyondTheRangeOverflows) {
    const double max = std::numeric_limits<float>::max();
    EXPECT_EQ(to_single(max), std::numeric_limits<float>::max());
    EXPECT_EQ(to_single(max + 0x1p102), std::numeric_limits<float>::max());  // rounds down
    EXPECT_EQ(error_number([&] { to_single(max + 0x1p103); }), 6);
    EXPECT_EQ(error_number([] { to_single(1e39); }), 6);
    EXPECT_EQ(error_number([] { to_single(-1e39); }), 6);
    EXPECT_EQ(error_number([] { to_single(std::nan("")); }), 5);
}

TEST(ToInt32, RoundsHalvesToEven) {
    EXPECT_EQ(to_int32(0.0f), 0);
    EXPECT_EQ(to_int32(20.0f), 20);
    EXPECT_EQ(to_int32(2.5f), 2);
    EXPECT_EQ(to_int32(3.5f), 4);
    EXPECT_EQ(to_int32(-0.5f), 0);
    EXPECT_EQ(to_int32(-1.5f), -2);
    EXPECT_EQ(to_int32(20.4f), 20);
    EXPECT_EQ(to_int32(16777216.0f), 16777216);
}

TEST(ToInt32, OutsideThe32BitRangeOverflows) {
    EXPECT_EQ(to_int32(2147483520.0f), 2147483520);  // the largest single below 2^31
    EXPECT_EQ(error_number([] { to_int32(2147483648.0f); }), 6);
    EXPECT_EQ(to_int32(-2147483648.0f), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(error_number([] { to_int32(-2147483904.0f); }), 6);
    EXPECT_EQ(error_number([] { to_int32(std::numeric_limits<float>::quiet_NaN()); }), 6);
}

TEST(WholePart, IsTheFloor) {
    EXPECT_EQ(whole_part(0.0f), 0.0f);
    EXPECT_EQ(whole_part(19.999998f), 19.0f);
    EXPECT_EQ(whole_part(20.0f), 20.0f);
    EXPECT_EQ(whole_part(-0.5f), -1.0f);
    EXPECT_EQ(whole_part(-2.0f), -2.0f);
}

TEST(AddSingle, ExactAndInexactSumsRaiseNothing) {
    float target = 0;
    add_single(target, 19.0f, 1.0f);
    EXPECT_EQ(target, 20.0f);
    add_single(target, 16777216.0f, 1.0f);  // inexact: 1 no longer counts
    EXPECT_EQ(target, 16777216.0f);
    add_single(target, std::numeric_limits<float>::max(), 1.0f);
    EXPECT_EQ(target, std::numeric_limits<float>::max());
}

TEST(AddSingle, StoresTheSumThenRaises) {
    const float max = std::numeric_limits<float>::max();
    const float inf = std::numeric_limits<float>::infinity();
    float target = 0;
    EXPECT_EQ(error_number([&] { add_single(target, max, max); }), 6);
    EXPECT_TRUE(std::isinf(target));
    target = 0;
    EXPECT_EQ(error_number([&] { add_single(target, inf, 1.0f); }), 6);
    EXPECT_TRUE(std::isinf(target));
    target = 0;
    EXPECT_EQ(error_number([&] { add_single(target, inf, -inf); }), 5);
    EXPECT_TRUE(std::isnan(target));
    target = 0;
    EXPECT_EQ(
        error_number([&] { add_single(target, std::numeric_limits<float>::quiet_NaN(), 1.0f); }),
        5);
    EXPECT_TRUE(std::isnan(target));
}

TEST(RuntimeError, CarriesNumberAndItalianMessage) {
    RuntimeError e = RuntimeError::subscript_out_of_range();
    EXPECT_EQ(e.number(), 9);
    EXPECT_EQ(e.message(), "Indice non incluso nell'intervallo");
    EXPECT_STREQ(e.what(), "Errore di run-time '9': Indice non incluso nell'intervallo");
    EXPECT_EQ(RuntimeError::object_variable_not_set().number(), 91);
    EXPECT_EQ(RuntimeError::overflow().number(), 6);
    EXPECT_EQ(RuntimeError::division_by_zero().number(), 11);
    EXPECT_EQ(RuntimeError::property_not_supported().message(),
              "Proprietà o metodo non supportati dall'oggetto");
}

}  // namespace
}  // namespace bolvenda::runtime
