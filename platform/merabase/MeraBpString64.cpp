// Base64 line coding of encoded form template files. Strict on input because a
// template line that decodes "almost" would hand the reader a wrong paper
// name without any sign of damage.
#include "platform/merabase/MeraBpString64.h"

#include <array>
#include <cstdint>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int8_t kInvalid = -1;

constexpr std::array<int8_t, 256> MakeDecodeTable() {
  std::array<int8_t, 256> table{};
  for (auto& v : table) v = kInvalid;
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
  return table;
}
constexpr std::array<int8_t, 256> kDecode = MakeDecodeTable();

}  // namespace

bool MeraBpStringDecode64(const std::string& encoded, std::string* decoded) {
  decoded->clear();
  const size_t n = encoded.size();
  if (n % 4 != 0) return false;
  if (n == 0) return true;

  size_t pad = 0;
  if (encoded[n - 1] == '=') pad = encoded[n - 2] == '=' ? 2 : 1;

  std::string out(n / 4 * 3 - pad, '\0');
  const auto* in = reinterpret_cast<const unsigned char*>(encoded.data());
  size_t o = 0;
  // Every quad but the last has no padding; '=' maps to kInvalid, so a stray
  // one anywhere fails the same test as any other foreign character.
  const size_t full = pad ? n - 4 : n;
  for (size_t i = 0; i < full; i += 4) {
    int a = kDecode[in[i]], b = kDecode[in[i + 1]], c = kDecode[in[i + 2]], d = kDecode[in[i + 3]];
    if ((a | b | c | d) < 0) return false;
    uint32_t v = (uint32_t(a) << 18) | (uint32_t(b) << 12) | (uint32_t(c) << 6) | uint32_t(d);
    out[o++] = static_cast<char>(v >> 16);
    out[o++] = static_cast<char>(v >> 8);
    out[o++] = static_cast<char>(v);
  }
  if (pad) {
    const unsigned char* q = in + n - 4;
    int a = kDecode[q[0]], b = kDecode[q[1]];
    int c = pad == 1 ? kDecode[q[2]] : 0;
    if ((a | b | c) < 0) return false;
    // Bits below the last whole byte must be zero, or two different lines
    // would decode to the same text.
    if (pad == 2 ? (b & 0x0F) != 0 : (c & 0x03) != 0) return false;
    uint32_t v = (uint32_t(a) << 18) | (uint32_t(b) << 12) | (uint32_t(c) << 6);
    out[o++] = static_cast<char>(v >> 16);
    if (pad == 1) out[o++] = static_cast<char>(v >> 8);
  }
  *decoded = std::move(out);
  return true;
}

std::string MeraBpStringDecode64(const std::string& encoded) {
  std::string decoded;
  MeraBpStringDecode64(encoded, &decoded);
  return decoded;
}

std::string MeraBpStringEncode64(const std::string& plain) {
  const auto* in = reinterpret_cast<const unsigned char*>(plain.data());
  const size_t n = plain.size();
  std::string out;
  out.reserve((n + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= n; i += 3) {
    uint32_t v = (uint32_t(in[i]) << 16) | (uint32_t(in[i + 1]) << 8) | in[i + 2];
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  if (size_t rest = n - i) {
    uint32_t v = uint32_t(in[i]) << 16;
    if (rest == 2) v |= uint32_t(in[i + 1]) << 8;
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}
