# The Debian packages the build and the tests need, shared by the scripts.
# shellcheck disable=SC2034
BUILD_PACKAGES=(cmake ninja-build clang lld llvm libclang-rt-14-dev
  libgtest-dev libbenchmark-dev python3 binutils)
CHECK_PACKAGES=(clang-format clang-tidy)
PLOT_PACKAGES=(gnuplot-nox)
WINE_PACKAGES=(wine wine32:i386)
