# One interface target carries the compiler settings of every target.
add_library(vo_options INTERFACE)
target_compile_features(vo_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(vo_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(vo_options INTERFACE QT_NO_KEYWORDS QT_NO_FOREACH)
