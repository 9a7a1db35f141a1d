# Shared helpers for registering tests, fuzz targets and benchmarks.

# talix_add_test(NAME <name> LABEL <label> SOURCES <files...> LIBS <targets...>)
# One QtTest executable, registered with CTest under its label. Widgets run offscreen.
# Device tests list talix_virtualpedal after the libraries that call libusb.
function(talix_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt5::Test)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABEL}" TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TALIX_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# talix_add_usb_run(<test>): runs a real-process test once more, label usb, with its programs on
# the system libusb and the pedal emulated as a kernel device (talix-vpedal-run), where it is built.
function(talix_add_usb_run TEST)
  if(NOT TARGET talix-vpedal-run)
    return()
  endif()
  add_dependencies(${TEST} talix-vpedal-run)
  add_test(NAME ${TEST}_usb COMMAND ${TEST})
  get_target_property(dir ${TEST} RUNTIME_OUTPUT_DIRECTORY)
  set_tests_properties(${TEST}_usb PROPERTIES LABELS usb TIMEOUT 300 WORKING_DIRECTORY ${dir}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TALIX_BUILD_DIR=${CMAKE_BINARY_DIR};TALIX_TEST_PEDAL=usb")
endfunction()

# talix_add_fuzzer(NAME <name> SOURCES <files...> LIBS <targets...>)
# A libFuzzer target fuzz_<name> with its seed corpus in fuzz/<name>/corpus.
function(talix_add_fuzzer)
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  set_property(GLOBAL APPEND PROPERTY TALIX_FUZZERS ${F_NAME})
endfunction()

# talix_add_bench(NAME bench_<name> SOURCES <files...> LIBS <targets...>)
# The prefix keeps the executable clear of the sub-folder's own build folder.
function(talix_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS})
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# Adds every sub-folder of the current source folder that has a CMakeLists.txt.
function(talix_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# talix_add_library(<target> DEPS <targets...>)
# A static library of every .cpp/.h in the current folder (sub-folders excluded), included from
# the repository root ("link/qmebaselibusb.h"). Nothing is made while the folder has no sources.
function(talix_add_library target)
  cmake_parse_arguments(L "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(ex ${L_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${ex})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${L_DEPS})
endfunction()
