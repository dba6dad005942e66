// The floating-point status of plain arithmetic written as a program's handler writes it. The
// same expectations hold where the hardware keeps the flags and in the browser build, where the
// build's checked operations keep them (cmake/float-arithmetic).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "float_status.h"

namespace forms {
namespace {

// Volatile: the values are known only when the test runs, as a program's input is, and every
// result is stored, so no operation is folded or dropped.
volatile double one = 1;
volatile double ten = 10;
volatile double zero = 0;
volatile double big = 1e308;
volatile double infinity = std::numeric_limits<double>::infinity();
volatile double nan = std::numeric_limits<double>::quiet_NaN();
volatile float bigSingle = 3e38f;
volatile double sink = 0;
volatile float singleSink = 0;
volatile bool truthSink = false;

using Computation = void (*)();

bool flaggedAfter(Computation compute) {
    clearFloatStatus();
    compute();
    const bool flagged = floatErrorFlagged();
    clearFloatStatus();
    return flagged;
}

TEST(FloatArithmetic, ErrorsStayFlaggedWhenALaterOperationHidesThem) {
    const std::pair<const char*, Computation> errors[] = {
        {"1/(1E308*10)", [] { sink = one / (big * ten); }},
        {"Single overflow", [] { singleSink = bigSingle * 10.0f; }},
        {"Double to Single beyond its range", [] { singleSink = static_cast<float>(big); }},
        {"1/(1/0)", [] { sink = one / (one / zero); }},
        {"0/0", [] { sink = zero / zero; }},
        {"(inf - inf) != 1", [] { truthSink = (infinity - infinity) != one; }},
        {"0 * inf", [] { sink = zero * infinity; }},
        {"NaN < 1", [] { truthSink = nan < one; }},
    };
    for (const auto& [name, compute] : errors) EXPECT_TRUE(flaggedAfter(compute)) << name;
    // The C library's math functions. The Windows build's tests run on wine's own C library,
    // whose functions raise no flags; no program calls them (powerDouble checks its result).
#if !defined(_WIN32)
    const std::pair<const char*, Computation> mathErrors[] = {
        {"sqrt(-1)", [] { sink = std::sqrt(-one); }},
        {"1/log(0)", [] { sink = one / std::log(zero); }},
        {"1/exp(1000)", [] { sink = one / std::exp(1000 * one); }},
        {"Single sqrt(-1)", [] { singleSink = std::sqrt(-static_cast<float>(one)); }},
    };
    for (const auto& [name, compute] : mathErrors) EXPECT_TRUE(flaggedAfter(compute)) << name;
#endif
    clearFloatStatus();
    sink = one / (big * ten);
    EXPECT_EQ(sink, 0.0);
    EXPECT_THROW(checkFloatStatus(sink), RuntimeError);
    clearFloatStatus();
}

TEST(FloatArithmetic, InexactUnderflowAndExactInfinitiesAreNoError) {
    const std::pair<const char*, Computation> clean[] = {
        {"0.1 + 0.2", [] { sink = one / ten + 2 / ten; }},
        {"underflow to a denormal and to 0", [] { sink = (one / big) / big; }},
        {"Double to Single below its range", [] { singleSink = static_cast<float>(one / big); }},
        {"inf + 1", [] { sink = infinity + one; }},
        {"NaN + 1", [] { sink = nan + one; }},
        {"NaN == 1", [] { truthSink = nan == one; }},
        {"-inf < 1", [] { truthSink = -infinity < one; }},
        {"a division its guard skips", [] { sink = zero != 0 ? one / zero : 0.0; }},
        {"sqrt(2)", [] { sink = std::sqrt(2 * one); }},
        {"exp(-1000) underflows", [] { sink = std::exp(-1000 * one); }},
        {"pow(1, NaN)", [] { sink = std::pow(one, nan); }},
    };
    for (const auto& [name, compute] : clean) EXPECT_FALSE(flaggedAfter(compute)) << name;
}

}  // namespace
}  // namespace forms
