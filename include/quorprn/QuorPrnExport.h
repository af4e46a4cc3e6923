// Visibility of the library's exported surface: everything else stays hidden
// in libquorprn.so.
#pragma once

#if defined(QUORPRN_BUILDING) || defined(QUORPRN_STATIC)
#define QUORPRN_API __attribute__((visibility("default")))
#else
#define QUORPRN_API
#endif
