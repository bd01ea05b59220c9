# The Debian packages the build and the tests need, shared by the scripts.
# shellcheck disable=SC2034
BUILD_PACKAGES=(cmake ninja-build clang lld llvm libclang-rt-14-dev
  libgtest-dev libbenchmark-dev python3 binutils)
CHECK_PACKAGES=(clang-format clang-tidy)
PLOT_PACKAGES=(gnuplot-nox)
WINE_PACKAGES=(wine wine32:i386)
# The stand-in host as a 32-bit Linux program that runs the real DLL, and
# the emulator that runs it where the kernel runs no 32-bit programs.
I386_PACKAGES=(qemu-user libc6-dev-i386 lib32gcc-12-dev)
