#pragma once

namespace zorva {

// a × b / c through a 64-bit product, rounded to the nearest integer with
// halves away from zero. A zero divisor gives -1, as the desktop's own does.
int MulDiv(int a, int b, int c);

}  // namespace zorva
