#pragma once
// Limits as the pump keeps them. Release 041 packs a value into a 16-bit
// limit code, a decimal floating form whose resolution coarsens with size:
//   0 .. 10        step 0.001  codes     0 .. 10000
//   10 .. 100      step 0.01   codes 10000 .. 19000
//   100 .. 1000    step 0.1    codes 19000 .. 28000
//   above 1000     step 1      codes above 28000
// Release 036 keeps plain hundredths (0.00 .. 655.35).

#include <cstdint>
#include <string>

namespace mc::druglib {

// The limit code of a value in thousandths, rounded to the step of its range
// with ties to even. The editor validates to 0 .. 2500000 first; anything
// outside is saturated to 0 .. 65535 rather than wrapped.
std::uint32_t encodeLimitCode(std::int64_t thousandths);

// The value of a limit code, in thousandths.
std::int64_t limitCodeThousandths(std::uint32_t code);

// The value of a limit code as shown and printed: "0", "0.5", "12.25", "2500".
std::string limitCodeText(std::uint32_t code);

// A release 036 code in hundredths as shown: "0", "1.5", "655.35".
std::string hundredthsText(std::uint32_t code);

}  // namespace mc::druglib
