# Helpers that let every folder declare itself as one component of the library
# without touching the top-level file: a folder's sources are globbed, compiled
# once as an object library, and collected into libquorprn.so (the exported
# surface) and quorprn_internal (a static archive for tests, which reach the
# hidden internal classes through it).

set_property(GLOBAL PROPERTY QUORPRN_COMPONENTS "")

# quorprn_component(NAME <name> [QT] [LINK <libs>...] [SOURCES <extra>...]
#                   [DIALOG_SOURCES <patterns>...])
# QT: the folder builds on Qt. DIALOG_SOURCES names the folder's sources that
# only the dialogs need (patterns relative to the folder); a QT folder without
# it belongs to the dialogs as a whole. The library takes every source either
# way; the difference is for the quorprn command (see _quorprn_objects).
function(quorprn_component)
  cmake_parse_arguments(C "QT" "NAME" "LINK;SOURCES;DIALOG_SOURCES" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(APPEND srcs ${C_SOURCES})
  if(NOT srcs)
    return()
  endif()
  set(qt "")
  if(C_QT)
    set(qt QT)
  endif()
  set(target qp_${C_NAME})
  _quorprn_objects(${target} SOURCES ${srcs} LINK ${C_LINK} ${qt})
  set_property(GLOBAL APPEND PROPERTY QUORPRN_COMPONENTS ${target})

  if(NOT QUORPRN_BUILD_TOOLS)
    return()
  endif()
  set(dialog_srcs "")
  if(C_DIALOG_SOURCES)
    foreach(pattern IN LISTS C_DIALOG_SOURCES)
      file(GLOB matched CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
      list(APPEND dialog_srcs ${matched})
    endforeach()
  elseif(C_QT)
    set(dialog_srcs ${srcs})
  endif()
  set(core_srcs ${srcs})
  if(dialog_srcs)
    list(REMOVE_ITEM core_srcs ${dialog_srcs})
  endif()
  if(core_srcs)
    set(core_link ${C_LINK})
    list(FILTER core_link EXCLUDE REGEX "^Qt6?::")
    _quorprn_objects(${target}_cmd SOURCES ${core_srcs} LINK ${core_link} EXPORTED)
    set_property(GLOBAL APPEND PROPERTY QUORPRN_COMMAND_CORE ${target}_cmd)
  endif()
  if(dialog_srcs)
    _quorprn_objects(${target}_dlg SOURCES ${dialog_srcs} LINK ${C_LINK} ${qt} EXPORTED)
    set_property(GLOBAL APPEND PROPERTY QUORPRN_COMMAND_DIALOGS ${target}_dlg)
  endif()
endfunction()

# The quorprn command does not link the library. It holds every object that
# does not build on Qt itself and loads the dialogs as a module only when a
# dialog verb runs, so no other verb pays for loading Qt and its desktop
# libraries. The module resolves the library against the command, which keeps
# one copy of every object and of the state it holds (the hive and spooler the
# command chose); so both get objects of their own, compiled with default
# visibility: the library's objects hide all but the exported surface.
# EXPORTED: such an object library.
function(_quorprn_objects target)
  cmake_parse_arguments(O "QT;EXPORTED" "" "SOURCES;LINK" ${ARGN})
  add_library(${target} OBJECT ${O_SOURCES})
  target_include_directories(${target} PUBLIC
    ${PROJECT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/include
    ${PROJECT_SOURCE_DIR}/platform/meraprn/include)
  target_compile_definitions(${target} PRIVATE QUORPRN_BUILDING=1
    QUORPRN_DATADIR="${QUORPRN_DATADIR}")
  if(O_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
  endif()
  if(O_EXPORTED)
    set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET default
      VISIBILITY_INLINES_HIDDEN OFF)
  endif()
  if(O_LINK)
    target_link_libraries(${target} PUBLIC ${O_LINK})
  endif()
endfunction()

function(quorprn_assemble_library)
  get_property(comps GLOBAL PROPERTY QUORPRN_COMPONENTS)
  set(objs "")
  foreach(c IN LISTS comps)
    list(APPEND objs $<TARGET_OBJECTS:${c}>)
  endforeach()

  add_library(quorprn SHARED ${objs})
  add_library(QuorPrn::quorprn ALIAS quorprn)
  set_target_properties(quorprn PROPERTIES VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  add_library(quorprn_internal STATIC ${objs})
  foreach(c IN LISTS comps)
    # Only the usage requirements (libraries, include folders) are taken over;
    # the objects themselves are already in the list above.
    target_link_libraries(quorprn PRIVATE $<BUILD_INTERFACE:${c}>)
    target_link_libraries(quorprn_internal PUBLIC ${c})
  endforeach()
  target_link_options(quorprn PRIVATE -Wl,--no-undefined)
  target_include_directories(quorprn PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/meraprn/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/quorprn>)
endfunction()

# quorprn_add_test_folder(NAME <name> [ENVIRONMENT <k=v>...] [LINK <libs>...])
# One GoogleTest program per test folder; every case becomes its own CTest test.
function(quorprn_add_test_folder)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "ENVIRONMENT;LINK" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(target test_${T_NAME})
  add_executable(${target} ${srcs})
  target_link_libraries(${target} PRIVATE quorprn_internal GTest::gtest_main GTest::gmock ${T_LINK})
  target_compile_definitions(${target} PRIVATE
    QUORPRN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    QUORPRN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUORPRN_BINARY_DIR="${PROJECT_BINARY_DIR}")
  # Tests never see the developer's own hive, printers, home or language.
  set(envmod
    "QUORPRN_REGISTRY=unset:"
    "QUORPRN_SPOOLER=unset:"
    "QUORPRN_LOCALE_DIR=set:${PROJECT_SOURCE_DIR}/resources/locale"
    "HOME=set:${PROJECT_BINARY_DIR}/test-home"
    "LC_ALL=unset:" "LC_MESSAGES=unset:" "LANG=set:C.UTF-8"
    "PRINTER=unset:" "LPDEST=unset:" "CUPS_SERVER=unset:"
    "QTEST_DISABLE_STACK_DUMP=set:1"
    "LSAN_OPTIONS=set:suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
  foreach(e IN LISTS T_ENVIRONMENT)
    list(APPEND envmod "${e}")
  endforeach()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT})
  # The environment is set by a script that CTest runs after the discovered
  # tests exist: handed to gtest_discover_tests, a list-valued property is
  # split into separate arguments and only its first entry would apply.
  set(envscript ${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake)
  file(WRITE ${envscript}
    "set(quorprn_env [==[${envmod}]==])\n"
    "foreach(quorprn_test IN LISTS ${target}_TESTS)\n"
    "  set_tests_properties(\"\${quorprn_test}\" PROPERTIES ENVIRONMENT_MODIFICATION \"\${quorprn_env}\")\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${envscript})
endfunction()
