# One set of compiler warnings for every library and program of the project: each target links
# korvalinde_strikt. With KORVALINDE_WERROR (on in CI) a warning fails the build.
add_library(korvalinde_strikt INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(korvalinde_strikt INTERFACE -Wall -Wextra)
  if(KORVALINDE_WERROR)
    target_compile_options(korvalinde_strikt INTERFACE -Werror)
  endif()
endif()
