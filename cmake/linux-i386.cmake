# Cross toolchain for the stand-in host as a 32-bit Linux program that
# loads the real vantrel.dll itself (hostsim/module_loader_pe.cpp). It runs
# under qemu-i386 where the kernel runs no 32-bit programs. Static, and
# without the C++ library: the stand-in host uses only the C library.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
# -m32 rather than an i686 target: Debian's 32-bit C library for a 64-bit
# system (libc6-dev-i386) is laid out for the multilib compiler.
set(CMAKE_C_FLAGS_INIT "-m32")
# Its kernel headers are only the 64-bit system's (asm/types.h and its
# kind), which hold for a 32-bit program too, so they are searched last.
set(CMAKE_CXX_FLAGS_INIT
    "-m32 -fno-exceptions -fno-rtti -nostdinc++ -idirafter /usr/include/x86_64-linux-gnu")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static -nostdlib++")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
