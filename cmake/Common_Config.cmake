# One interface target carries the compiler settings of every target.
add_library(vo_options INTERFACE)
target_compile_features(vo_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(vo_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(vo_options INTERFACE QT_NO_KEYWORDS QT_NO_FOREACH)

# The continuous-integration build (preset ci): every warning is an error, and the program's own
# code (src, linked to vo_strict) is held to the stricter checks it is clean of. No name may shadow
# another anywhere: a parameter named like the member it fills is easily used after a move.
option(VO_STRICT "Warnings as errors, and the stricter checks for src" OFF)
add_library(vo_strict INTERFACE)
if(VO_STRICT)
    target_compile_options(vo_options INTERFACE -Werror -Wshadow)
    target_compile_options(vo_strict INTERFACE -Wold-style-cast -Woverloaded-virtual -Wnon-virtual-dtor)
    target_compile_definitions(vo_strict INTERFACE QT_NO_CAST_FROM_ASCII)
endif()
