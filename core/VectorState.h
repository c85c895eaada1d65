// The state of the processor's vector registers before heavy floating-point work. A process that
// runs libraries built for wider vector instructions (the GUI toolkit) can be left with the upper
// halves of the vector registers in use; every SSE instruction of the maths library then pays for it,
// which made each cosine of a load cost ten times as much inside the program as outside it.
#pragma once

namespace orvelo {

// Marks the upper halves of the vector registers unused where the processor has them (x86 with
// AVX, as the system allows it); nothing elsewhere.
void ClearUpperVectorState();

} // namespace orvelo
