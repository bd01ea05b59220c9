// One number of the status line, rendered as the host platform's "%.5g":
// five significant digits, an exponent of a sign and three digits, "0"
// for both zeros, "1.#INF", "-1.#INF" and "-1.#IND" for the infinities and
// the default NaN.
#pragma once

// Writes 1 to 12 characters at `out`, no terminating zero, and returns
// how many. The caller's buffer must have room for 12.
unsigned FormatStatusNumber(double value, char *out);
