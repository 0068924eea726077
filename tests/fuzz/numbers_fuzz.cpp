// The number path as a fuzz target, built natively with clang's libFuzzer
// and sanitizers: any two texts are read, narrowed, worked out and
// formatted, and every result must end well inside its buffer. Properties
// that hold whatever the formulas look like inside catch a wrong one: a
// conversion followed by its opposite gives the value back, a - b is
// -(b - a), and a sum or difference is the exact one rounded once to double,
// as neither single nor extended precision would give.
#include "numbers.h"

#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

// The longest texts the formats can make of single-precision operands:
// 78 digits and a sign for "%.0f", "-1.234e+308" for "%.4g".
static const size_t LongestArithmetic = 79, LongestConversion = 11;

// Each conversion's opposite, in check box order. The temperatures are
// affine, so their rounding errors scale with the value's distance from
// where 32 degrees Fahrenheit meet 0 Celsius, not with the value alone.
static const int Opposite[CONVERSION_COUNT] = { 1, 0, 3, 2, 5, 4 };
static const double Offset[CONVERSION_COUNT] = { 32, 32, 0, 0, 0, 0 };
// Two roundings to four significant digits, 5e-4 each, and a little over.
static const double FourDigitsTwice = 1.1e-3;

template <size_t N> static void Check(const char (&texts)[N][RESULT_TEXT_SIZE], size_t longest)
{
    for (auto &text : texts)
        if (strnlen(text, RESULT_TEXT_SIZE) > longest)
            abort();
}

// Infinities, NaNs and subnormals carry no four digits to give back.
static bool Usable(float v) { return v == 0 || isnormal(v); }

static void CheckRoundTrips(float v)
{
    char there[CONVERSION_COUNT][RESULT_TEXT_SIZE], back[CONVERSION_COUNT][RESULT_TEXT_SIZE];
    if (!Usable(v))
        return;
    FormatConversions(v, there);
    for (int i = 0; i < CONVERSION_COUNT; i++) {
        // The shown result, read back as the user would paste it.
        float shown = ReadNumber(there[i]);
        if (!Usable(shown))
            continue;
        FormatConversions(shown, back);
        if (fabs(atof(back[Opposite[i]]) - v) > FourDigitsTwice * (fabs(v) + Offset[i]))
            abort();
    }
}

// "%.0f" writes a small negative difference as "-0": no different from "0".
static std::string Zeroed(std::string text) { return text == "-0" ? "0" : text; }
static std::string Negated(const char *text) { return Zeroed(text[0] == '-' ? text + 1 : std::string("-") + text); }

static void CheckDifference(float a, float b, const char *difference)
{
    char swapped[ARITHMETIC_COUNT][RESULT_TEXT_SIZE];
    // A NaN's sign says nothing.
    if (strstr(difference, "nan"))
        return;
    FormatArithmetic(b, a, swapped);
    if (Zeroed(difference) != Negated(swapped[RESULT_DIFFERENCE]))
        abort();
}

// a + b, exact, rounded once to double. Each float is a whole number of 2^-24
// of its own binary power, so both are whole numbers of the finer one's
// step, and their sum is exact in 128 bits; libgcc rounds that to double
// once, in integer arithmetic. Past 60 binary places apart, the smaller is
// less than a quarter of the larger's step in double, and leaves it as it is.
static double RoundedOnce(float a, float b)
{
    int ea, eb;
    double fa = frexp(a, &ea), fb = frexp(b, &eb);
    if (a == 0 || b == 0)
        return a + (double)b;
    if (abs(ea - eb) > 60)
        return fabsf(a) > fabsf(b) ? a : b;
    int step = (ea < eb ? ea : eb) - 24;
    __int128 sum = (__int128)ldexp(fa, ea - step) + (__int128)ldexp(fb, eb - step);
    return ldexp((double)sum, step);
}

static void CheckRoundedOnce(float a, float b, const char (&results)[ARITHMETIC_COUNT][RESULT_TEXT_SIZE])
{
    char sum[RESULT_TEXT_SIZE], difference[RESULT_TEXT_SIZE];
    if (!isfinite(a) || !isfinite(b))
        return;
    snprintf(sum, sizeof sum, "%.0f", RoundedOnce(a, b));
    snprintf(difference, sizeof difference, "%.0f", RoundedOnce(a, -b));
    if (strcmp(sum, results[RESULT_SUM]) || strcmp(difference, results[RESULT_DIFFERENCE]))
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first line is the first box, the rest the second.
    std::string input((const char *)data, size);
    size_t split = input.find('\n');
    float a = ReadNumber(input.substr(0, split).c_str());
    float b = ReadNumber(split == std::string::npos ? "" : input.substr(split + 1).c_str());

    char arithmetic[ARITHMETIC_COUNT][RESULT_TEXT_SIZE], conversions[CONVERSION_COUNT][RESULT_TEXT_SIZE];
    memset(arithmetic, 'x', sizeof arithmetic);
    memset(conversions, 'x', sizeof conversions);
    FormatArithmetic(a, b, arithmetic);
    FormatConversions(a, conversions);
    Check(arithmetic, LongestArithmetic);
    Check(conversions, LongestConversion);

    CheckDifference(a, b, arithmetic[RESULT_DIFFERENCE]);
    CheckRoundedOnce(a, b, arithmetic);
    CheckRoundTrips(a);
    CheckRoundTrips(b);
    return 0;
}
