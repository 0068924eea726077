/* The number path: a typed text becomes a single-precision value, results
   are worked out in double precision and formatted. Nothing here calls the
   system, so the path also builds natively for fuzzing. */
#ifndef OMBEX_NUMBERS_H
#define OMBEX_NUMBERS_H

#define RESULT_TEXT_SIZE 255

enum Arithmetic { RESULT_SUM, RESULT_DIFFERENCE, RESULT_PRODUCT, RESULT_QUOTIENT, ARITHMETIC_COUNT };

/* In check box order: C to F, F to C, inch to cm, cm to inch, m to miles,
   miles to m. */
enum { CONVERSION_COUNT = 6 };

float ReadNumber(const char *text);
void FormatArithmetic(float a, float b, char results[ARITHMETIC_COUNT][RESULT_TEXT_SIZE]);
void FormatConversions(float v, char results[CONVERSION_COUNT][RESULT_TEXT_SIZE]);

#endif
