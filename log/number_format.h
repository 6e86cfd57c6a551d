#pragma once
// Number-to-text forms of the readouts: IntToStr and the fixed format with precision 4.
#include <cstdint>
#include <string>

namespace tarvelin {

std::string IntToStr(int32_t value);

// Fixed format, precision 4, `digits` decimals (0..18; values outside are taken as the nearer
// end): at most 4 significant digits, an exact half of the stored value rounding away from
// zero, positions past the fourth significant digit shown as 0, and the scientific form
// ("1E4", "1.25E4") once the integer part needs more than 4 digits. A value that rounds to
// zero shows no minus sign. NaN gives "NAN", the infinities "INF" and "-INF". Rounding is
// decided on the exact binary value and the text never depends on the locale.
std::string FloatToStrF(double value, int digits);

// The same for an extended-precision value, rounded as it stands: a quotient formed in
// `long double` is shown without first being narrowed to a double.
std::string ExtendedToStrF(long double value, int digits);

}  // namespace tarvelin
