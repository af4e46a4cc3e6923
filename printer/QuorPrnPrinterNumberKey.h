// The shape of the paper, paper-name and bin caches' keys: a printer name and
// a number, equal when both are equal byte for byte, hashed the way the
// caches always hashed them (so bucket spreads stay what they were). The tag
// keeps the three key kinds from being mixed up. Holds no state of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

template <class Tag>
struct QuorPrnPrinterNumberKey {
  std::string printer;
  int32_t number = 0;

  bool operator==(const QuorPrnPrinterNumberKey& other) const {
    return number == other.number && printer == other.printer;
  }
};

// h = h * 33 + byte over the name's bytes taken as signed, then h * 33 +
// number, all modulo 2^32.
inline uint32_t QuorPrnPrinterNumberHash(const std::string& printer, int32_t number) {
  uint32_t h = 0;
  for (char c : printer) h = h * 33u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
  return h * 33u + static_cast<uint32_t>(number);
}

struct QuorPrnPrinterNumberKeyHash {
  template <class Tag>
  size_t operator()(const QuorPrnPrinterNumberKey<Tag>& key) const {
    return QuorPrnPrinterNumberHash(key.printer, key.number);
  }
};
