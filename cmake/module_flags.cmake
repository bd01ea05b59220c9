# Compile options of the module's own code, on every platform: warnings are
# errors, no exceptions or RTTI, and no floating-point liberties. The lift
# model's operand grouping is part of its definition, so contraction into
# fused multiply-adds stays off and fast-math is never used.
set(VANTREL_MODULE_OPTIONS
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror
  -fno-exceptions -fno-rtti
  -ffp-contract=off -fno-fast-math -fno-math-errno
  -fvisibility=hidden -fvisibility-inlines-hidden
  -ffunction-sections
)

# The stand-in host is strict too, but it is not freestanding.
set(VANTREL_HOST_OPTIONS -Wall -Wextra -Werror -fno-exceptions -fno-rtti)
