# Native build: the module as a dlopen-able shared object, the stand-in
# host, tests and benchmarks.

enable_testing()

# The module's code, position independent so that the same objects serve
# the shared object and the in-process tests. It includes no C library
# header: -ffreestanding makes any slip a compile error.
add_library(vantrel_module_objects OBJECT ${VANTREL_MODULE_SOURCES})
target_include_directories(vantrel_module_objects PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(vantrel_module_objects PRIVATE ${VANTREL_MODULE_OPTIONS} -ffreestanding)
set_target_properties(vantrel_module_objects PROPERTIES POSITION_INDEPENDENT_CODE ON)

# The module as the host loads it. Host operations stay undefined here and
# are resolved from the program that loads it, as the DLL imports them.
# The loader layer plays the Windows loader's notices and GetProcAddress.
add_library(vantrel SHARED $<TARGET_OBJECTS:vantrel_module_objects> module/loader_linux.cpp)
target_include_directories(vantrel PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(vantrel PRIVATE ${VANTREL_MODULE_OPTIONS})
set_target_properties(vantrel PROPERTIES PREFIX "" SUFFIX ".so")
target_link_libraries(vantrel PRIVATE ${CMAKE_DL_LIBS} m)

# The module's code for tests that link it in process, without the loader.
add_library(vantrel_module_static STATIC $<TARGET_OBJECTS:vantrel_module_objects>)
target_include_directories(vantrel_module_static PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vantrel_module_static PUBLIC m)

# The stand-in host's library: the recording host operations, the scenario
# reader and the replay run. Tests link it in process.
add_library(hostsim_lib STATIC ${VANTREL_HOST_SOURCES} hostsim/module_loader_posix.cpp
  hostsim/exit_hook_tracer_posix.cpp)
target_include_directories(hostsim_lib PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(hostsim_lib PRIVATE ${VANTREL_HOST_OPTIONS})
target_link_libraries(hostsim_lib PUBLIC ${CMAKE_DL_LIBS} m)
set_target_properties(hostsim_lib PROPERTIES POSITION_INDEPENDENT_CODE ON)

add_executable(hostsim hostsim/hostsim_main.cpp)
target_compile_options(hostsim PRIVATE ${VANTREL_HOST_OPTIONS})
# The module resolves the host operations from this program's symbols.
set_target_properties(hostsim PROPERTIES ENABLE_EXPORTS ON)
target_link_libraries(hostsim PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,hostsim_lib>")
add_dependencies(hostsim vantrel)

find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)

add_subdirectory(tests)
add_subdirectory(bench)
