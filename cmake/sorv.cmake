# sorv_library(name DEPS ...): a static library of every .cpp in the calling folder.
function(sorv_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# The libraries that exist so far, in link order (later ones depend on earlier ones).
function(sorv_existing_libs out)
  set(libs)
  foreach(lib sorv_installer sorv_promo sorv_training sorv_menus sorv_match sorv_game sorv_sprites sorv_device sorv_platform sorv_runtime)
    if(TARGET ${lib})
      list(APPEND libs ${lib})
    endif()
  endforeach()
  set(${out} ${libs} PARENT_SCOPE)
endfunction()

# sorv_test(label [DEPS ...] [ONE_AT_A_TIME pattern lock]): one GoogleTest binary of every
# .cpp in tests/<label>, each test labelled with its source folder so `ctest -L <label>` runs
# exactly those. The tests whose names match the pattern (a gtest filter) hold the lock, so
# no two of them run at once.
function(sorv_test label)
  cmake_parse_arguments(ARG "" "" "DEPS;ONE_AT_A_TIME" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  if(NOT ARG_DEPS)
    sorv_existing_libs(ARG_DEPS)
  endif()
  add_executable(test_${label} ${sources})
  target_link_libraries(test_${label} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(test_${label} PRIVATE
    SORV_BUILD_DIR="${CMAKE_BINARY_DIR}" SORV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(ARG_ONE_AT_A_TIME)
    list(GET ARG_ONE_AT_A_TIME 0 pattern)
    list(GET ARG_ONE_AT_A_TIME 1 lock)
    # ctest starts the costliest first (where it has no times of its own yet, as in a fresh
    # clone): the tests that run one at a time are the longest chain and start at once, the
    # label's other tests (whole-program runs here) before the short ones of other labels.
    gtest_discover_tests(test_${label}
      DISCOVERY_MODE PRE_TEST TEST_FILTER "-${pattern}"
      PROPERTIES LABELS ${label} TIMEOUT 600 COST 100)
    gtest_discover_tests(test_${label}
      DISCOVERY_MODE PRE_TEST TEST_FILTER "${pattern}"
      PROPERTIES LABELS ${label} TIMEOUT 600 RESOURCE_LOCK ${lock} COST 1000)
  else()
    gtest_discover_tests(test_${label}
      DISCOVERY_MODE PRE_TEST
      PROPERTIES LABELS ${label} TIMEOUT 600)
  endif()
endfunction()
