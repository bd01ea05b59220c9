# The stand-in host as a 32-bit Linux program that loads the real
# vantrel.dll with a PE loader of its own, for running the DLL's machine
# code where Wine cannot run (qemu-i386 runs it on a 64-bit-only kernel).
# Plain i686 code, without SSE2, so that the DLL's own check for SSE2 can
# be shown to refuse a processor without it.

enable_testing()

add_executable(hostsim ${VANTREL_HOST_SOURCES}
  hostsim/hostsim_main.cpp
  hostsim/module_loader_pe.cpp
  hostsim/exit_hook_tracer_posix.cpp)
target_include_directories(hostsim PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(hostsim PRIVATE ${VANTREL_HOST_OPTIONS})
target_link_libraries(hostsim PRIVATE m)

set(VANTREL_WINDOWS_BUILD "${PROJECT_SOURCE_DIR}/build/windows" CACHE PATH
    "The Windows build whose vantrel.dll is run")
set(VANTREL_NATIVE_BUILD "${PROJECT_SOURCE_DIR}/build/native" CACHE PATH
    "The native build whose hostsim the runs are compared with")
add_subdirectory(tests/pe_runner)
