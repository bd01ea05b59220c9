# Compile options of the module's own code, on every platform: warnings are
# errors, no exceptions or RTTI, and no floating-point liberties. The lift
# model's operand grouping is part of its definition, so contraction into
# fused multiply-adds stays off and fast-math is never used. Each function
# gets a section of its own, so that the DLL's linker fills the gaps
# between functions with int3 (the stand-in host's tracer checks for it).
set(VANTREL_MODULE_OPTIONS
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror
  -fno-exceptions -fno-rtti
  -ffp-contract=off -fno-fast-math -fno-math-errno
  -fvisibility=hidden -fvisibility-inlines-hidden
  -ffunction-sections
)

# The stand-in host is strict too, but it is not freestanding.
set(VANTREL_HOST_OPTIONS -Wall -Wextra -Werror -fno-exceptions -fno-rtti)
