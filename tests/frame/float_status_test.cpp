#include "float_status.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "value.h"

namespace forms {
namespace {

// Volatile so that the compiler cannot fold the arithmetic on them at compile time.
volatile double hugeDouble = 1e39;
volatile double zeroDouble = 0.0;

void raiseOverflowFlag() {
    float narrowed = narrowToSingle(hugeDouble);
    pinFloat(narrowed);
}

TEST(FloatStatus, ConversionsLeaveErrorFlagsClear) {
    const char* texts[] = {"0.1", "1,5e300", "1.7976931348623157e308", "4.9e-324", "1e-400", "2.5e-320",
                           "123456789012345678901234567890", "-", "abc", "1e"};
    for (const char* text : texts) {
        clearFloatStatus();
        const double value = numberFromText(text);
        EXPECT_FALSE(floatErrorFlagged()) << text << " -> " << textFromDouble(value);
    }
    clearFloatStatus();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(variantGreater(nan, 1.0));
    EXPECT_TRUE(std::isnan(singleFromVariant(nan)));
    EXPECT_EQ(singleFromVariant(0x1.fffffefffffffp+127), std::numeric_limits<float>::max());
    EXPECT_TRUE(std::isnan(powerDouble(-2.0, nan)));
    EXPECT_EQ(int16FromDouble(-2.5), -2);
    EXPECT_EQ(textFromDouble(nan), "NaN");
    EXPECT_FALSE(floatErrorFlagged());
}

TEST(FloatStatus, NarrowingOverflowIsFlagged) {
    clearFloatStatus();
    const float narrowed = narrowToSingle(hugeDouble);
    EXPECT_EQ(narrowed, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    EXPECT_TRUE(floatErrorFlagged());
    clearFloatStatus();
    EXPECT_FALSE(floatErrorFlagged());
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
}

TEST(FloatStatus, EachErrorFlagCounts) {
    for (const int flag : {FE_INVALID, FE_DIVBYZERO, FE_OVERFLOW}) {
        clearFloatStatus();
        std::feraiseexcept(flag);
        EXPECT_TRUE(floatErrorFlagged()) << flag;
    }
    for (const int flag : {FE_INEXACT, FE_UNDERFLOW}) {
        clearFloatStatus();
        std::feraiseexcept(flag);
        EXPECT_FALSE(floatErrorFlagged()) << flag;
    }
    clearFloatStatus();
}

TEST(FloatStatus, KeeperRestoresFlags) {
    clearFloatStatus();
    raiseOverflowFlag();
    {
        FloatStatusKeeper keeper;
        clearFloatStatus();
        EXPECT_FALSE(floatErrorFlagged());
    }
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW)) << "a flag set before the keeper comes back";

    clearFloatStatus();
    {
        FloatStatusKeeper keeper;
        double quotient = 1.0 / zeroDouble;
        pinFloat(quotient);
        EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO));
    }
    EXPECT_FALSE(floatErrorFlagged()) << "a flag raised inside the keeper is dropped";
}

// A library function such as pow may raise its flags on the x87 unit rather than on SSE.
TEST(FloatStatus, KeeperRestoresFlagsOfTheX87Unit) {
    clearFloatStatus();
    volatile long double hugeLong = std::numeric_limits<long double>::max();
    long double product = hugeLong * 2;
    pinFloat(product);
    ASSERT_TRUE(std::fetestexcept(FE_OVERFLOW));
    {
        FloatStatusKeeper keeper;
        clearFloatStatus();
    }
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    clearFloatStatus();
}

TEST(FloatStatus, CheckRaisesFloatingPointError) {
    clearFloatStatus();
    EXPECT_NO_THROW(checkFloatStatus(1.0, 2.0f));
    double quotient = 1.0 / zeroDouble;
    try {
        checkFloatStatus(quotient);
        ADD_FAILURE() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), ErrorCode::FloatingPoint);
        EXPECT_EQ(error.message(), "Ошибка выполнения 4: ошибка операции с плавающей точкой");
    }
    clearFloatStatus();
}

}  // namespace
}  // namespace forms
