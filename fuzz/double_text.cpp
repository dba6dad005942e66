// Fuzzes textFromDouble: every 8 bytes of the input are one Double (any bit pattern: denormals,
// NaNs, infinities, both zeros). Its text must have the documented shape, carry the shortest
// digits, and read back through numberFromText to the same value (NaN and the infinities to 0).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "text_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t offset = 0; offset < size; offset += sizeof(double)) {
        std::uint8_t bytes[sizeof(double)] = {};
        std::memcpy(bytes, data + offset, std::min(sizeof(double), size - offset));
        double value = 0;
        std::memcpy(&value, bytes, sizeof value);
        const std::string text = forms::textFromDouble(value);
        fuzzing::checkText(text, value);
        if (forms::textFromVariant(forms::Variant{value}) != text) fuzzing::fail("variant text differs", text, value);
    }
    return 0;
}
