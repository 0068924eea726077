#include "numbers.h"

#include <stdio.h>
#include <stdlib.h>

float ReadNumber(const char *text)
{
    /* Pasted text that is not a number reads as 0; anything beyond the
       single-precision range becomes an infinity here. */
    return (float)atof(text);
}

void FormatArithmetic(float a, float b, char results[ARITHMETIC_COUNT][RESULT_TEXT_SIZE])
{
    double x = a, y = b;

    /* Division by zero is left to IEEE arithmetic: an infinity or a NaN. */
    snprintf(results[RESULT_QUOTIENT], RESULT_TEXT_SIZE, "%.4g", x / y);
    snprintf(results[RESULT_SUM], RESULT_TEXT_SIZE, "%.0f", x + y);
    snprintf(results[RESULT_DIFFERENCE], RESULT_TEXT_SIZE, "%.0f", x - y);
    snprintf(results[RESULT_PRODUCT], RESULT_TEXT_SIZE, "%.0f", x * y);
}

/* A mile is 1609 metres in this program. Each formula keeps its written
   order, since the rounding of double arithmetic follows it. */
static double CelsiusToFahrenheit(double v) { return v * 9 / 5 + 32; }
static double FahrenheitToCelsius(double v) { return (v - 32) * 5 / 9; }
static double InchToCm(double v)            { return v * 2.54; }
static double CmToInch(double v)            { return v / 2.54; }
static double MetresToMiles(double v)       { return v / 1609; }
static double MilesToMetres(double v)       { return v * 1609; }

static double (*const Formulas[CONVERSION_COUNT])(double) = {
    CelsiusToFahrenheit, FahrenheitToCelsius, InchToCm,
    CmToInch, MetresToMiles, MilesToMetres,
};

void FormatConversions(float v, char results[CONVERSION_COUNT][RESULT_TEXT_SIZE])
{
    for (int i = 0; i < CONVERSION_COUNT; i++)
        snprintf(results[i], RESULT_TEXT_SIZE, "%.4g", Formulas[i](v));
}
