// Visibility of the print-library stand-in's exported classes; they are built
// into libquorprn.so and installed with its headers.
#pragma once

#if defined(QUORPRN_BUILDING) || defined(QUORPRN_STATIC)
#define MERAPRN_API __attribute__((visibility("default")))
#else
#define MERAPRN_API
#endif
