// Floating-point numbers with at most 15 significant digits. The value is
// scaled to an 18-digit integer as a 64-bit-mantissa multiplication would
// scale it: by the power of ten rounded to 64 bits, the product rounded to 64
// bits, then to an integer, each rounding to nearest with halves to even.
// Exact integer arithmetic reproduces that on every processor and build.
#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "textforms/column_text.h"

namespace zorva {
namespace {

__extension__ typedef unsigned __int128 Wide;

// A power of ten rounded to 64 bits: mantissa × 2^exponent, mantissa in [2^63, 2^64).
struct Power {
  std::uint64_t mantissa;
  int exponent;
};

// Just enough of an unsigned big integer to round the powers of ten.
class Big {
 public:
  explicit Big(std::uint32_t value) : words_{value} {}

  void MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& w : words_) {
      carry += static_cast<std::uint64_t>(w) * factor;
      w = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry) words_.push_back(static_cast<std::uint32_t>(carry));
  }

  void Double() { MultiplyBy(2); }

  int BitLength() const { return static_cast<int>(32 * (words_.size() - 1)) + std::bit_width(words_.back()); }

  bool Bit(int i) const { return (words_[i / 32] >> (i % 32)) & 1u; }

  // Whether any bit below position i is set.
  bool AnyBitBelow(int i) const {
    for (int b = 0; b < i; ++b)
      if (Bit(b)) return true;
    return false;
  }

  int Compare(const Big& other) const {
    if (words_.size() != other.words_.size()) return words_.size() < other.words_.size() ? -1 : 1;
    for (std::size_t i = words_.size(); i-- > 0;)
      if (words_[i] != other.words_[i]) return words_[i] < other.words_[i] ? -1 : 1;
    return 0;
  }

  // Requires *this >= other.
  void Subtract(const Big& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < words_.size(); ++i) {
      std::int64_t d = static_cast<std::int64_t>(words_[i]) - borrow -
                       (i < other.words_.size() ? static_cast<std::int64_t>(other.words_[i]) : 0);
      borrow = d < 0;
      words_[i] = static_cast<std::uint32_t>(d + (borrow << 32));
    }
    while (words_.size() > 1 && words_.back() == 0) words_.pop_back();
  }

 private:
  std::vector<std::uint32_t> words_;  // least significant first
};

Power RoundedUp(std::uint64_t mantissa, bool roundUp, int exponent) {
  if (!roundUp) return {mantissa, exponent};
  if (++mantissa == 0) return {std::uint64_t{1} << 63, exponent + 1};
  return {mantissa, exponent};
}

// 10^k = 5^k × 2^k: the top 64 bits of 5^k, rounded.
Power PositivePower(int k) {
  Big five(1);
  for (int i = 0; i < k; ++i) five.MultiplyBy(5);
  const int length = five.BitLength();
  if (length <= 64) {
    std::uint64_t m = 0;
    for (int b = length - 1; b >= 0; --b) m = (m << 1) | five.Bit(b);
    return {m << (64 - length), k - (64 - length)};
  }
  const int dropped = length - 64;
  std::uint64_t m = 0;
  for (int b = length - 1; b >= dropped; --b) m = (m << 1) | five.Bit(b);
  const bool half = five.Bit(dropped - 1);
  const bool sticky = five.AnyBitBelow(dropped - 1);
  return RoundedUp(m, half && (sticky || (m & 1)), k + dropped);
}

// 10^-n = 2^-n / 5^n: 64 quotient bits of 2^(L+63) / 5^n by long division.
Power NegativePower(int n) {
  Big divisor(1);
  for (int i = 0; i < n; ++i) divisor.MultiplyBy(5);
  const int length = divisor.BitLength();
  Big remainder(1);
  std::uint64_t quotient = 0;
  for (int step = 0; step < length + 63; ++step) {
    remainder.Double();
    quotient <<= 1;
    if (remainder.Compare(divisor) >= 0) {
      remainder.Subtract(divisor);
      quotient |= 1;
    }
  }
  remainder.Double();
  // 5^n is odd, so the remainder is never exactly half of it.
  return RoundedUp(quotient, remainder.Compare(divisor) > 0, -(length + 63) - n);
}

// The scale factors 10^(18 - E) for every decimal exponent E of a double,
// with one to spare at either end for the exponent's first guess.
constexpr int kLowestPower = -293;
constexpr int kHighestPower = 344;

const std::array<Power, kHighestPower - kLowestPower + 1>& Powers() {
  static const auto powers = [] {
    std::array<Power, kHighestPower - kLowestPower + 1> table{};
    for (int k = kLowestPower; k <= kHighestPower; ++k)
      table[k - kLowestPower] = k >= 0 ? PositivePower(k) : NegativePower(-k);
    return table;
  }();
  return powers;
}

// value / 2^shift, rounded to nearest, halves to even.
Wide ShiftRoundingToEven(Wide value, int shift) {
  if (shift <= 0) return value;
  if (shift >= 128) return 0;
  const Wide kept = value >> shift;
  const Wide rest = value & ((Wide{1} << shift) - 1);
  const Wide half = Wide{1} << (shift - 1);
  return rest > half || (rest == half && (kept & 1)) ? kept + 1 : kept;
}

int BitWidth(Wide value) {
  const auto high = static_cast<std::uint64_t>(value >> 64);
  return high ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(value));
}

constexpr std::uint64_t kTenTo17 = 100'000'000'000'000'000;
constexpr std::uint64_t kTenTo18 = 1'000'000'000'000'000'000;

// mantissa × 2^binaryExponent × 10^k, as the 64-bit-mantissa product would
// give it, rounded to an integer; values past 2^64 come back as 2^64.
std::uint64_t Scaled(std::uint64_t mantissa, int binaryExponent, int k) {
  const Power& p = Powers()[k - kLowestPower];
  Wide product = static_cast<Wide>(mantissa) * p.mantissa;
  int exponent = binaryExponent + p.exponent;
  // The product to 64 significant bits.
  if (const int excess = BitWidth(product) - 64; excess > 0) {
    product = ShiftRoundingToEven(product, excess);
    exponent += excess;
  }
  if (exponent > 0)
    return BitWidth(product) + exponent > 64 ? UINT64_MAX : static_cast<std::uint64_t>(product << exponent);
  const Wide integer = ShiftRoundingToEven(product, -exponent);
  return integer > UINT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(integer);
}

struct Digits {
  std::string digits;  // d1...dn, no trailing zeros
  int exponent;        // the value is 0.d1d2... × 10^exponent
};

Digits SignificantDigits(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>(bits >> 52);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t mantissa = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const int binaryExponent = biased == 0 ? -1074 : biased - 1075;

  // A first guess, then the exponent that puts the scaled value in [10^17, 10^18].
  int exponent = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
  std::uint64_t scaled = Scaled(mantissa, binaryExponent, 18 - exponent);
  while (scaled > kTenTo18 || scaled < kTenTo17) {
    exponent += scaled > kTenTo18 ? 1 : -1;
    scaled = Scaled(mantissa, binaryExponent, 18 - exponent);
  }
  if (scaled == kTenTo18) {
    scaled = kTenTo17;
    ++exponent;
  }

  // 18 digits rounded to 15: the 16th decides.
  std::uint64_t fifteen = scaled / 1000;
  if ((scaled / 100) % 10 >= 5) ++fifteen;
  if (fifteen == kTenTo18 / 1000) {
    fifteen /= 10;
    ++exponent;
  }
  std::string digits = std::to_string(fifteen);
  digits.erase(digits.find_last_not_of('0') + 1);
  return {digits, exponent};
}

}  // namespace

std::string_view GeneralNumberText(double value, char decimalMark, std::string& room) {
  // A whole number below 10^15 has at most 15 digits, all of them exact: the
  // scaling leaves them as they are and rounds nothing. These are most of a
  // timetable's numbers, zero of either sign among them ("0").
  if (std::fabs(value) < 1e15 && std::trunc(value) == value)
    return WholeNumberText(static_cast<std::int64_t>(value), room);
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

  const auto [digits, e] = SignificantDigits(std::fabs(value));
  const int n = static_cast<int>(digits.size());
  std::string& text = room;
  text.clear();
  if (value < 0) text += '-';
  if (e > 15 || e < -3) {
    text += digits[0];
    if (n > 1) text += decimalMark + digits.substr(1);
    text += 'E';
    text += std::to_string(e - 1);
  } else if (e <= 0) {
    text += '0';
    text += decimalMark;
    text.append(static_cast<std::size_t>(-e), '0');
    text += digits;
  } else {
    text += digits.substr(0, static_cast<std::size_t>(std::min(n, e)));
    text.append(static_cast<std::size_t>(std::max(0, e - n)), '0');
    if (n > e) text += decimalMark + digits.substr(static_cast<std::size_t>(e));
  }
  return text;
}

std::string GeneralNumberText(double value, char decimalMark) {
  std::string room;
  return std::string(GeneralNumberText(value, decimalMark, room));
}

}  // namespace zorva
