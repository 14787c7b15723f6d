# Flags for the project's own targets. The arithmetic depends on every operation being
# rounded where the source says, so contraction into fused operations and the fast-math
# family are never allowed.
add_library(ormiza_flags INTERFACE)
target_compile_options(ormiza_flags INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror
    -ffp-contract=off -fno-fast-math)
if(ORMIZA_SANITIZE)
    target_compile_options(ormiza_flags INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(ormiza_flags INTERFACE -fsanitize=address,undefined)
endif()
if(CMAKE_CXX_FLAGS MATCHES "fast-math")
    message(FATAL_ERROR "-ffast-math breaks the exact arithmetic of the calculation")
endif()
if(ORMIZA_FUZZ)
    # Coverage feedback for the fuzzers comes from every target of ours, not just their mains.
    target_compile_options(ormiza_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()
