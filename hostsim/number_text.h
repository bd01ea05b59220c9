// Numbers in and out of the stand-in host's text files, the same on every
// platform: the host does its own parsing of special values and hex floats
// and its own hex-float output, so that a native run and a Windows run of
// the same scenario agree to the byte.
#pragma once

#include <stddef.h>

// Parses exactly `length` characters: a decimal number ([+-]digits[.digits]
// [e[+-]digits], with at least one digit before or after the point), a C
// hex-float ([+-]0x<hex>[.<hex>]p[+-]<digits>) that a double holds exactly,
// "inf", "-inf", "nan" (the positive quiet NaN) or "-nan" (the negative
// one, which x86 arithmetic produces). Anything else is refused.
bool ParseNumberText(const char *text, size_t length, double *value);

// The text that glibc's printf("%a") gives a double: 0x1.7fdc4469b02a6p+12,
// 0x0p+0, -0x0p+0, 0x0.0000000000001p-1022, inf, -inf, nan, -nan.
// Writes at most 24 characters and a zero; returns the length.
unsigned FormatHexDouble(double value, char *out);

// snprintf that always terminates and never writes past `size`.
void FormatText(char *out, size_t size, const char *format, ...);
