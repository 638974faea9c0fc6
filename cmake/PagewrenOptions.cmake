# Compiler settings shared by every target of the project.
add_library(pagewren_options INTERFACE)
target_compile_options(pagewren_options INTERFACE -Wall -Wextra)
if(PAGEWREN_WERROR)
  target_compile_options(pagewren_options INTERFACE -Werror)
endif()
target_include_directories(pagewren_options INTERFACE ${PROJECT_SOURCE_DIR})

if(PAGEWREN_SANITIZE)
  set(PAGEWREN_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(pagewren_options INTERFACE ${PAGEWREN_SAN_FLAGS})
  target_link_options(pagewren_options INTERFACE ${PAGEWREN_SAN_FLAGS})
endif()

if(PAGEWREN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "PAGEWREN_FUZZ needs clang (CXX=clang++)")
  endif()
  # Every library is instrumented for coverage; only the fuzz executables link the libFuzzer main.
  target_compile_options(pagewren_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(pagewren_options INTERFACE -fsanitize=address,undefined)
endif()

# pagewren_library(NAME SOURCES... [DEPENDS libs...] [PRIVATE_DEPENDS libs...])
function(pagewren_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC pagewren_options ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_DEPENDS})
endfunction()
