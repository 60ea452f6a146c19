# Shared compiler settings: every target of the project links tolvane_settings.
add_library(tolvane_settings INTERFACE)
add_library(tolvane::settings ALIAS tolvane_settings)
target_compile_features(tolvane_settings INTERFACE cxx_std_20)
target_compile_options(tolvane_settings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                       -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wunused
                       -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion -Wformat=2)
if(TOLVANE_WERROR)
  target_compile_options(tolvane_settings INTERFACE -Werror)
endif()
if(TOLVANE_SANITIZE)
  target_compile_options(tolvane_settings INTERFACE -fsanitize=address,undefined
                         -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(tolvane_settings INTERFACE -fsanitize=address,undefined)
endif()
option(TOLVANE_TSAN "Build with ThreadSanitizer (clang), for the engine's and the batch's tests" OFF)
if(TOLVANE_TSAN)
  if(TOLVANE_SANITIZE)
    message(FATAL_ERROR "TOLVANE_TSAN and TOLVANE_SANITIZE cannot be combined")
  endif()
  target_compile_options(tolvane_settings INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(tolvane_settings INTERFACE -fsanitize=thread)
endif()
if(TOLVANE_BUILD_FUZZ)
  # Coverage instrumentation for the libFuzzer targets; the fuzz drivers add -fsanitize=fuzzer.
  target_compile_options(tolvane_settings INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(tolvane_settings INTERFACE -fsanitize=address,undefined)
endif()
