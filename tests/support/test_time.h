#pragma once

// Whether this build runs under AddressSanitizer, which the sanitizer suite always includes.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kCodeIsSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kCodeIsSanitized = true;
#else
inline constexpr bool kCodeIsSanitized = false;
#endif
#else
inline constexpr bool kCodeIsSanitized = false;
#endif

// How long a test waits for what usually takes up to `usual` milliseconds: the program run
// whole, the print server's work on a job. Code built with the sanitizers runs several times
// slower, and the print server shares the machine with it, so every such wait grows with it.
constexpr int waitMilliseconds(int usual) {
    return kCodeIsSanitized ? 4 * usual : usual;
}
