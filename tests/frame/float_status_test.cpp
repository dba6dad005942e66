#include "float_status.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "value.h"

namespace forms {
namespace {

// The flags as the platform keeps them: the hardware's, or the status word where it has none.
#if FORMS_SOFTWARE_FLOAT_STATUS
constexpr unsigned InvalidFlag = detail::InvalidFlag;
constexpr unsigned DivideByZeroFlag = detail::DivideByZeroFlag;
constexpr unsigned OverflowFlag = detail::OverflowFlag;
// Kept in the word but never checked.
constexpr unsigned InexactFlag = 8;
constexpr unsigned UnderflowFlag = 16;
constexpr unsigned AllFlags = ~0u;
unsigned testFlags(unsigned flags) { return detail::softwareFloatStatus() & flags; }
void raiseFlags(unsigned flags) { detail::raiseSoftwareFloatStatus(flags); }
#else
constexpr int InvalidFlag = FE_INVALID;
constexpr int DivideByZeroFlag = FE_DIVBYZERO;
constexpr int OverflowFlag = FE_OVERFLOW;
constexpr int InexactFlag = FE_INEXACT;
constexpr int UnderflowFlag = FE_UNDERFLOW;
constexpr int AllFlags = FE_ALL_EXCEPT;
int testFlags(int flags) { return std::fetestexcept(flags); }
void raiseFlags(int flags) { std::feraiseexcept(flags); }
#endif

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

// powerDouble's own steps raise nothing: only a result beyond the Double range is flagged, on
// every platform (rows from the differential check, where the steps once overflowed).
TEST(FloatStatus, PowerFlagsOnlyAnOverflowingResult) {
    struct Row {
        const char* name;
        double base;
        double exponent;
        bool flagged;
    };
    const Row rows[] = {
        {"underflow to zero by a huge exponent", 477.8015404448233, -1e308, false},
        {"denormal exponent", 2.2250738585072011e-308, 2.2250738585072011e-308, false},
        {"minus one to a huge even power", -1, -1e308, false},
        {"just below the largest Double", 2, 1023.5, false},
        {"beyond the largest Double", 10, 400, true},
    };
    for (const Row& row : rows) {
        clearFloatStatus();
        double power = powerDouble(row.base, row.exponent);
        pinFloat(power);
        EXPECT_EQ(floatErrorFlagged(), row.flagged) << row.name;
    }
    clearFloatStatus();
}

TEST(FloatStatus, NarrowingOverflowIsFlagged) {
    clearFloatStatus();
    const float narrowed = narrowToSingle(hugeDouble);
    EXPECT_EQ(narrowed, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(testFlags(OverflowFlag));
    EXPECT_TRUE(floatErrorFlagged());
    clearFloatStatus();
    EXPECT_FALSE(floatErrorFlagged());
    EXPECT_EQ(testFlags(AllFlags), 0);
}

TEST(FloatStatus, EachErrorFlagCounts) {
    for (const auto flag : {InvalidFlag, DivideByZeroFlag, OverflowFlag}) {
        clearFloatStatus();
        raiseFlags(flag);
        EXPECT_TRUE(floatErrorFlagged()) << flag;
    }
    for (const auto flag : {InexactFlag, UnderflowFlag}) {
        clearFloatStatus();
        raiseFlags(flag);
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
    EXPECT_TRUE(testFlags(OverflowFlag)) << "a flag set before the keeper comes back";

    clearFloatStatus();
    {
        FloatStatusKeeper keeper;
        double quotient = 1.0 / zeroDouble;
        pinFloat(quotient);
        EXPECT_TRUE(testFlags(DivideByZeroFlag));
    }
    EXPECT_FALSE(floatErrorFlagged()) << "a flag raised inside the keeper is dropped";
}

#if !FORMS_SOFTWARE_FLOAT_STATUS
// A library function such as pow may raise its flags on the x87 unit rather than on SSE.
TEST(FloatStatus, KeeperRestoresFlagsOfTheX87Unit) {
    clearFloatStatus();
    volatile long double hugeLong = std::numeric_limits<long double>::max();
    long double product = hugeLong * 2;
    pinFloat(product);
    ASSERT_TRUE(testFlags(OverflowFlag));
    {
        FloatStatusKeeper keeper;
        clearFloatStatus();
    }
    EXPECT_TRUE(testFlags(OverflowFlag));
    clearFloatStatus();
}
#endif

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
