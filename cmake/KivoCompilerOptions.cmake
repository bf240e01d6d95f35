# Warnings for every target of the project, and the optional sanitizer and fuzzing builds.

option(KIVO_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KIVO_WERROR "Treat compiler warnings as errors" OFF)
option(KIVO_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)

function(kivo_compile_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
    if(KIVO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

if(KIVO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Every source is instrumented for the fuzzer's coverage; the fuzz targets link libFuzzer itself.
if(KIVO_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
