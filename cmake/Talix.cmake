# Shared helpers for registering tests, fuzz targets and benchmarks.

# talix_add_test(NAME <name> LABEL <label> [LONG] SOURCES <files...> LIBS <targets...>)
# One QtTest executable, registered with CTest under its label. Widgets run offscreen.
# Device tests list talix_virtualpedal after the libraries that call libusb.
# LONG marks a test of twenty seconds or more: CTest starts it among the first (by its COST)
# while it has no timings of its own, as on a fresh clone, so the suite does not end waiting on
# it alone.
set(TALIX_LONG_TEST_COST 30)
function(talix_add_test)
  cmake_parse_arguments(T "LONG" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt5::Test)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABEL}" TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TALIX_BUILD_DIR=${CMAKE_BINARY_DIR}")
  if(T_LONG)
    set_tests_properties(${T_NAME} PROPERTIES COST ${TALIX_LONG_TEST_COST})
  endif()
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
  # Whole programs over the emulated kernel device: long, as LONG tests are.
  set_tests_properties(${TEST}_usb PROPERTIES LABELS usb TIMEOUT 300 WORKING_DIRECTORY ${dir}
    COST ${TALIX_LONG_TEST_COST}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TALIX_BUILD_DIR=${CMAKE_BINARY_DIR};TALIX_TEST_PEDAL=usb")
endfunction()

# talix_add_fuzzer(NAME <name> SOURCES <files...> LIBS <targets...>)
# A libFuzzer target fuzz_<name> with its seed corpus in fuzz/<name>/corpus. It and our libraries
# it links are compiled with the coverage instrumentation that guides the fuzzer; the rest of the
# build (tests, widgets) goes without, as there it would only slow the build and the tests.
function(talix_add_fuzzer)
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  set_property(GLOBAL APPEND PROPERTY TALIX_FUZZERS ${F_NAME})
  _talix_linked_targets(${F_NAME} linked)
  foreach(target ${F_NAME} ${linked})
    get_target_property(options ${target} COMPILE_OPTIONS)
    if(NOT "-fsanitize=fuzzer-no-link" IN_LIST options)
      target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
  endforeach()
endfunction()

# Our targets that <target> links, directly or through others.
function(_talix_linked_targets target out_var)
  set(found)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue item)
    get_target_property(deps ${item} LINK_LIBRARIES)
    foreach(dep ${deps})
      # Entries of another directory's target_link_libraries are bracketed by ::@ markers.
      if(dep MATCHES "^(::@|\\$<)" OR NOT TARGET ${dep} OR dep IN_LIST found)
        continue()
      endif()
      get_target_property(imported ${dep} IMPORTED)
      if(NOT imported)
        list(APPEND found ${dep})
        list(APPEND queue ${dep})
      endif()
    endforeach()
  endwhile()
  set(${out_var} ${found} PARENT_SCOPE)
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

# Precompiled Qt headers, one set per combination of Qt modules. GCC and clang take a precompiled
# header only under the flags it was made with. Ours differ between targets only by what the Qt
# modules' usage requirements bring (QT_*_LIB, include folders), by the executables' -fPIE (see
# below) and by a test's own path macros, which no header reads. So each combination of modules
# gets one owner, an object library of an empty source linking just those modules, and the
# targets that use that combination reuse its header. The lists are the headers most of our
# sources include: loading a precompiled header costs time too, so whole modules are not taken
# (<QtTest> excepted: every test includes it).
set(TALIX_PCH_Core <QByteArray> <QDataStream> <QDir> <QFile> <QFileInfo> <QList> <QObject>
    <QPointer> <QString> <QStringList> <QTimer> <QVector>)
set(TALIX_PCH_Gui <QColor> <QFont> <QGuiApplication> <QImage> <QKeyEvent> <QMouseEvent>
    <QPainter> <QPixmap>)
set(TALIX_PCH_Widgets <QApplication> <QLabel> <QLineEdit> <QMimeData> <QWidget>)
set(TALIX_PCH_Test <QtTest> <QTemporaryDir>)
# Fewer compiled files than this (a unity batch counts once) share no precompiled header: making
# it would cost more than it saves.
set(TALIX_PCH_MIN_SOURCES 6)

# The Qt modules whose usage requirements reach <target>, sorted.
function(_talix_qt_modules target out_var)
  set(modules)
  set(seen)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue item)
    # Entries of another directory's target_link_libraries are bracketed by ::@ markers;
    # $<LINK_ONLY:...> entries bring no usage requirements.
    if(item MATCHES "^(::@|\\$<)" OR item IN_LIST seen OR NOT TARGET ${item})
      continue()
    endif()
    list(APPEND seen ${item})
    if(item MATCHES "^Qt5::(.+)$")
      list(APPEND modules ${CMAKE_MATCH_1})
    endif()
    if(item STREQUAL target)
      get_target_property(deps ${item} LINK_LIBRARIES)
    else()
      get_target_property(deps ${item} INTERFACE_LINK_LIBRARIES)
    endif()
    if(deps)
      list(APPEND queue ${deps})
    endif()
  endwhile()
  list(SORT modules)
  set(${out_var} ${modules} PARENT_SCOPE)
endfunction()

# Every target defined in <dir> and below.
function(_talix_targets dir out_var)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    _talix_targets(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out_var} ${targets} PARENT_SCOPE)
endfunction()

# Called once all targets exist: gives every C++ target that uses Qt the precompiled headers of
# its combination of modules and of the compile options its folder adds (tests/ adds -O0).
function(talix_precompile_headers)
  _talix_targets(${PROJECT_SOURCE_DIR} targets)
  get_directory_property(common DIRECTORY ${PROJECT_SOURCE_DIR} COMPILE_OPTIONS)
  set(keys)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    list(LENGTH sources count)
    get_target_property(unity ${target} UNITY_BUILD)
    if(unity)
      math(EXPR count "(${count} + 7) / 8") # the default batch size
    endif()
    _talix_qt_modules(${target} modules)
    if(count EQUAL 0 OR NOT modules)
      continue()
    endif()
    get_target_property(options ${target} COMPILE_OPTIONS)
    if(NOT options)
      set(options)
    endif()
    list(REMOVE_ITEM options ${common})
    string(JOIN _ key ${modules} ${options})
    string(MAKE_C_IDENTIFIER ${key} key)
    if(NOT key IN_LIST keys)
      list(APPEND keys ${key})
      set(modules_${key} ${modules})
      set(options_${key} ${options})
      set(members_${key})
      set(sources_${key} 0)
    endif()
    list(APPEND members_${key} ${target})
    math(EXPR sources_${key} "${sources_${key}} + ${count}")
  endforeach()

  set(empty ${CMAKE_BINARY_DIR}/talix_pch.cpp)
  if(NOT EXISTS ${empty})
    file(WRITE ${empty} "")
  endif()
  foreach(key ${keys})
    if(sources_${key} LESS TALIX_PCH_MIN_SOURCES)
      continue()
    endif()
    set(modules ${modules_${key}})
    set(headers)
    foreach(module ${modules})
      list(APPEND headers ${TALIX_PCH_${module}})
    endforeach()
    string(TOLOWER talix_pch_${key} owner)
    add_library(${owner} OBJECT ${empty})
    list(TRANSFORM modules PREPEND Qt5::)
    target_link_libraries(${owner} PRIVATE ${modules})
    target_compile_options(${owner} PRIVATE ${options_${key}})
    set_target_properties(${owner} PROPERTIES AUTOMOC OFF)
    target_precompile_headers(${owner} PRIVATE ${headers})
    foreach(target ${members_${key}})
      target_precompile_headers(${target} REUSE_FROM ${owner})
      # AUTOMOC's mocs_compilation.cpp is mostly empty (the sources include their own .moc),
      # and where it is not, its moc files include their headers: loading the precompiled
      # header would be nearly all of its cost.
      if(NOT CMAKE_VERSION VERSION_LESS 3.18)
        get_target_property(dir ${target} BINARY_DIR)
        set_source_files_properties(${dir}/${target}_autogen/mocs_compilation.cpp
          TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
      endif()
      # Qt's usage requirements put -fPIC after an executable's -fPIE, so executables were
      # compiled position-independent as the libraries are; without the -fPIE their flags are
      # the owner's to the letter.
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE OFF)
      endif()
    endforeach()
  endforeach()
endfunction()
