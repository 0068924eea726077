// The number path as a fuzz target, built natively with clang's libFuzzer
// and sanitizers: any two texts are read, narrowed, worked out and
// formatted, and every result must end well inside its buffer.
#include "numbers.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

// The longest texts the formats can make of single-precision operands:
// 78 digits and a sign for "%.0f", "-1.234e+308" for "%.4g".
static const size_t LongestArithmetic = 79, LongestConversion = 11;

static void Check(const char *text, size_t longest)
{
    size_t length = strnlen(text, RESULT_TEXT_SIZE);
    if (length > longest)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first line is the first box, the rest the second.
    std::string input((const char *)data, size);
    size_t split = input.find('\n');
    std::string first = input.substr(0, split);
    std::string second = split == std::string::npos ? "" : input.substr(split + 1);

    char arithmetic[ARITHMETIC_COUNT][RESULT_TEXT_SIZE];
    char conversions[CONVERSION_COUNT][RESULT_TEXT_SIZE];
    memset(arithmetic, 'x', sizeof arithmetic);
    memset(conversions, 'x', sizeof conversions);
    FormatArithmetic(ReadNumber(first.c_str()), ReadNumber(second.c_str()), arithmetic);
    FormatConversions(ReadNumber(first.c_str()), conversions);
    for (auto &text : arithmetic)
        Check(text, LongestArithmetic);
    for (auto &text : conversions)
        Check(text, LongestConversion);
    return 0;
}
