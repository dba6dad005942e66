// Fuzzes textFromSingle: every 4 bytes of the input are one Single (any bit pattern). Its text
// must have the documented shape, carry the shortest digits for a Single (0.3, never
// 0.300000012), and read back through numberFromText, narrowed to Single, to the same value.
// The first two bytes also give a 16-bit integer whose text must read back exactly.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "text_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t offset = 0; offset < size; offset += sizeof(float)) {
        std::uint8_t bytes[sizeof(float)] = {};
        std::memcpy(bytes, data + offset, std::min(sizeof(float), size - offset));
        float value = 0;
        std::memcpy(&value, bytes, sizeof value);
        const std::string text = forms::textFromSingle(value);
        fuzzing::checkText(text, value);
        if (forms::textFromVariant(forms::Variant{value}) != text) fuzzing::fail("variant text differs", text, value);
    }
    if (size >= sizeof(std::int16_t)) {
        std::int16_t whole = 0;
        std::memcpy(&whole, data, sizeof whole);
        const std::string text = forms::textFromInt16(whole);
        if (forms::numberFromText(text) != whole) fuzzing::fail("16-bit integer text does not read back", text, whole);
        if (forms::textFromVariant(forms::Variant{whole}) != text) fuzzing::fail("variant text differs", text, whole);
    }
    return 0;
}
