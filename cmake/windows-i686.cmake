# Cross toolchain for the real module: 32-bit Windows, MSVC C++ ABI, from
# Debian's clang, lld and llvm. There is no MSVC runtime or SDK here: the
# module is freestanding and the stand-in host declares what it uses of
# the system's msvcrt.dll and kernel32.dll itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET i686-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)
set(CMAKE_AR llvm-ar CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib CACHE FILEPATH "")
set(CMAKE_RC_COMPILER llvm-rc CACHE FILEPATH "")
set(CMAKE_MT llvm-mt CACHE FILEPATH "")

# No runtime library to link against: test compiles make static libraries,
# and no default system libraries are added.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "")
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "")

# SSE2 doubles: the results do not depend on the x87 precision a host may
# have set. No exceptions, RTTI, stack protector, thread-safe statics or
# stack probes, all of which need runtime support the module lacks; no
# /DEFAULTLIB directives in the objects.
set(CMAKE_CXX_FLAGS_INIT
    "-msse2 -mfpmath=sse -fno-exceptions -fno-rtti -fno-stack-protector -fno-threadsafe-statics -fno-autolink -mno-stack-arg-probe")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -fno-stack-protector -fno-autolink -mno-stack-arg-probe")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld-link -nostdlib")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld-link -nostdlib")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_MSVC_RUNTIME_LIBRARY "")
