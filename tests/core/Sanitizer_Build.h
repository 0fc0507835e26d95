#pragma once

namespace vo_test {

// AddressSanitizer pads every allocation and holds freed memory back for a while, so a bound on
// peak memory would measure the sanitizer rather than our code. GCC says so with a macro, Clang
// through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool Address_Sanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool Address_Sanitizer = true;
#else
inline constexpr bool Address_Sanitizer = false;
#endif
#else
inline constexpr bool Address_Sanitizer = false;
#endif

} // namespace vo_test
