# Windows build: vantrel.dll, and the stand-in host as Orbiter.exe, which
# exports the host operations as the real host does. Import libraries are
# made here from .def files (the system DLLs) or by linking Orbiter.exe
# (the host operations, under exactly the names its compiler gives them).

enable_testing()

set(WINDOWS_DEFS ${PROJECT_SOURCE_DIR}/cmake/windows)
foreach(lib kernel32 msvcrt)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/${lib}.lib
    COMMAND llvm-dlltool -m i386 -k -d ${WINDOWS_DEFS}/${lib}.def -l ${CMAKE_BINARY_DIR}/${lib}.lib
    DEPENDS ${WINDOWS_DEFS}/${lib}.def
    COMMENT "import library ${lib}.lib")
  add_custom_target(${lib}_implib DEPENDS ${CMAKE_BINARY_DIR}/${lib}.lib)
  add_library(${lib} INTERFACE)
  target_link_libraries(${lib} INTERFACE ${CMAKE_BINARY_DIR}/${lib}.lib)
  add_dependencies(${lib} ${lib}_implib)
endforeach()

# The stand-in host as Orbiter.exe. It has no C runtime start-up of its own
# to rely on, so it brings a small one; its stack probes are off like the
# module's.
add_executable(Orbiter ${VANTREL_HOST_SOURCES}
  hostsim/hostsim_main.cpp
  hostsim/module_loader_win32.cpp
  hostsim/exit_hook_tracer_win32.cpp
  hostsim/windows_start.cpp)
target_include_directories(Orbiter PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(Orbiter PRIVATE VANTREL_HOST_SIDE)
target_compile_options(Orbiter PRIVATE ${VANTREL_HOST_OPTIONS})
set_target_properties(Orbiter PROPERTIES ENABLE_EXPORTS ON)
target_link_options(Orbiter PRIVATE -Wl,/entry:mainCRTStartup -Wl,/subsystem:console)
target_link_libraries(Orbiter PRIVATE msvcrt kernel32)

# The module. It imports the host operations from Orbiter.exe, sin and cos
# from msvcrt.dll and GetProcAddress from kernel32.dll; its entry is its
# own runtime entry point.
add_library(vantrel SHARED ${VANTREL_MODULE_SOURCES} module/windows_runtime.cpp)
target_include_directories(vantrel PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(vantrel PRIVATE ${VANTREL_MODULE_OPTIONS} -ffreestanding)
set_target_properties(vantrel PROPERTIES PREFIX "" OUTPUT_NAME vantrel)
target_link_options(vantrel PRIVATE -Wl,/entry:_DllMainCRTStartup)
target_link_libraries(vantrel PRIVATE Orbiter msvcrt kernel32)

add_subdirectory(tests/windows)
