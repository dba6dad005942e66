// Micro-benchmarks of the value layer's conversions, each beside the standard library's
// conversion of the same values (std::from_chars, std::to_chars) as the yardstick.
// Our conversions do more: numberFromText takes both separators, blanks and trailing text and
// reports overflow; the text functions choose the notation and return a std::string.
#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "value.h"

namespace {

// Typical texts a user types, one set each benchmark cycles through.
const std::vector<std::string>& typedTexts() {
    static const std::vector<std::string> texts = {
        "42", "-7", "3.14159", "0.1", "100000001", "-1.5E+10", "2.5e-3", "123456789.123456789",
        "1.7976931348623157E+308", "4.9E-324",
    };
    return texts;
}

// 4096 Doubles of every magnitude, and as many Singles, from a fixed seed.
std::vector<double> doubles() {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::vector<double> values(4096);
    for (double& value : values) value = mantissa(random) * std::pow(10.0, exponent(random));
    return values;
}

std::vector<float> singles() {
    std::vector<float> values;
    for (double value : doubles()) values.push_back(static_cast<float>(value));
    return values;
}

void numberFromText(benchmark::State& state) {
    const auto& texts = typedTexts();
    std::size_t index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(forms::numberFromText(texts[index]));
        if (++index == texts.size()) index = 0;
    }
}

void fromChars(benchmark::State& state) {
    const auto& texts = typedTexts();
    std::size_t index = 0;
    for (auto _ : state) {
        double value = 0;
        const std::string& text = texts[index];
        std::from_chars(text.data(), text.data() + text.size(), value);
        benchmark::DoNotOptimize(value);
        if (++index == texts.size()) index = 0;
    }
}

// One long text, "0.777…7" of the given length: the time per character shows that reading is
// linear in the length.
void numberFromTextLong(benchmark::State& state) {
    std::string text(static_cast<std::size_t>(state.range(0)), '7');
    text[0] = '0';
    text[1] = '.';
    for (auto _ : state) benchmark::DoNotOptimize(forms::numberFromText(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// Formats the values in turn, round and round; the count of values is a power of two.
template <class T, std::string (*Format)(T)>
void ourText(benchmark::State& state, const std::vector<T>& values) {
    std::size_t index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Format(values[index]));
        index = (index + 1) & (values.size() - 1);
    }
}

template <class T>
void toChars(benchmark::State& state, const std::vector<T>& values) {
    std::size_t index = 0;
    std::array<char, 32> buffer{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::to_chars(buffer.data(), buffer.data() + buffer.size(), values[index]));
        benchmark::ClobberMemory();
        index = (index + 1) & (values.size() - 1);
    }
}

void textFromDouble(benchmark::State& state) { ourText<double, &forms::textFromDouble>(state, doubles()); }
void toCharsDouble(benchmark::State& state) { toChars(state, doubles()); }
void textFromSingle(benchmark::State& state) { ourText<float, &forms::textFromSingle>(state, singles()); }
void toCharsSingle(benchmark::State& state) { toChars(state, singles()); }

BENCHMARK(numberFromText);
BENCHMARK(fromChars);
BENCHMARK(numberFromTextLong)->Arg(1000)->Arg(100'000)->Arg(10'000'000);
BENCHMARK(textFromDouble);
BENCHMARK(toCharsDouble);
BENCHMARK(textFromSingle);
BENCHMARK(toCharsSingle);

}  // namespace

BENCHMARK_MAIN();
