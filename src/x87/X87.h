// The x87 instructions the library computes with. The only place with inline assembly.
// Every statement is volatile so that no step moves across a control-word change.
#pragma once

#include <cstdint>

namespace numora::x87 {

// Control word fields.
inline constexpr uint16_t kPrecisionAndRoundingBits = 0x0F00;
inline constexpr uint16_t kPrecision64RoundTowardZero = 0x0F00;
inline constexpr uint16_t kExceptionMasks = 0x003F;
inline constexpr uint16_t kInvalidMask = 0x0001;
inline constexpr uint16_t kDenormalMask = 0x0002;
inline constexpr uint16_t kPrecisionMask = 0x0020;
inline constexpr uint16_t kPrecisionBits = 0x0300;
inline constexpr uint16_t kPrecision24 = 0x0000;
inline constexpr uint16_t kPrecision53 = 0x0200;
inline constexpr uint16_t kPrecision64 = 0x0300;
inline constexpr uint16_t kRoundingBits = 0x0C00;
inline constexpr uint16_t kRoundToNearest = 0x0000;
inline constexpr uint16_t kRoundDown = 0x0400;
inline constexpr uint16_t kRoundUp = 0x0800;
inline constexpr uint16_t kRoundTowardZero = 0x0C00;

inline uint16_t ControlWord() {
  uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw));
  return cw;
}
inline void SetControlWord(uint16_t cw) { asm volatile("fldcw %0" : : "m"(cw) : "memory"); }
inline uint16_t StatusWord() {
  uint16_t sw;  // into AX: no store for the next read to wait on
  asm volatile("fnstsw %0" : "=a"(sw) : : "memory");
  return sw;
}
inline void ClearExceptions() { asm volatile("fnclex" : : : "memory"); }

inline constexpr uint16_t kExceptionFlags = 0x00BF;  // the six flags and the summary bit
inline constexpr uint16_t kPrecisionFlag = 0x0020;
inline constexpr uint16_t kUnderflowFlag = 0x0010;
inline constexpr uint16_t kOverflowFlag = 0x0008;

// Clearing the flags is slow, and so is raising a flag again after it; skipped when none is
// raised.
inline void ClearFlagsIfRaised() {
  if (StatusWord() & kExceptionFlags) ClearExceptions();
}
// Flags a caller left raised fault at the first waiting instruction when its word unmasks
// them: cleared before anything computes. Under a fully masked word they are harmless.
inline void ClearFlagsTheWordUnmasks(uint16_t control_word) {
  if ((control_word & kExceptionMasks) != kExceptionMasks) ClearFlagsIfRaised();
}
inline void Initialize() { asm volatile("fninit" : : : "memory"); }
// Lets a pending unmasked exception fault here, inside the computation.
inline void Wait() { asm volatile("fwait" : : : "memory"); }

inline long double Sqrt(long double x) {
  asm volatile("fsqrt" : "+t"(x));
  return x;
}
// y * log2(x)
inline long double YLog2X(long double y, long double x) {
  long double r;
  asm volatile("fyl2x" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
  return r;
}
// y * log2(x + 1), for |x| < 1 - sqrt(2)/2
inline long double YLog2XP1(long double y, long double x) {
  long double r;
  asm volatile("fyl2xp1" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
  return r;
}
// 2^f - 1, for |f| <= 1
inline long double TwoToXMinus1(long double f) {
  asm volatile("f2xm1" : "+t"(f));
  return f;
}
// x * 2^trunc(n), exact
inline long double Scale(long double x, long double n) {
  asm volatile("fscale" : "+t"(x) : "u"(n));
  return x;
}
inline long double PartialTangent(long double x) {
  long double one, tangent;
  asm volatile("fptan" : "=t"(one), "=u"(tangent) : "0"(x));
  (void)one;
  return tangent;
}
// Sine and cosine of |x| <= pi/4: the library reduces larger arguments itself.
inline long double Sine(long double x) {
  asm volatile("fsin" : "+t"(x));
  return x;
}
inline long double Cosine(long double x) {
  asm volatile("fcos" : "+t"(x));
  return x;
}
// The exact remainder x - n * y, n the integer nearest to x / y: the processor reduces in steps
// of at most 63 bits of exponent until it reports the reduction complete.
inline long double Remainder(long double x, long double y) {
  asm volatile(
      "1:\n\t"
      "fprem1\n\t"
      "fnstsw %%ax\n\t"
      "testw $0x400, %%ax\n\t"
      "jnz 1b"
      : "+t"(x)
      : "u"(y)
      : "ax", "cc");
  return x;
}
// The angle of the point (x, y).
inline long double ArcTangent2(long double y, long double x) {
  long double r;
  asm volatile("fpatan" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
  return r;
}
// Rounds to an integer in the current rounding mode.
inline long double RoundToInteger(long double x) {
  asm volatile("frndint" : "+t"(x));
  return x;
}
// Stores as a 64-bit integer in the current rounding mode; out of range gives 0x8000...
inline int64_t StoreInteger64(long double x) {
  int64_t i;
  asm volatile("fistpll %0" : "=m"(i) : "t"(x) : "st");
  return i;
}
inline long double Ln2() {
  long double r;
  asm volatile("fldln2" : "=t"(r));
  return r;
}
inline long double Log10Of2() {
  long double r;
  asm volatile("fldlg2" : "=t"(r));
  return r;
}
inline long double Log2OfE() {
  long double r;
  asm volatile("fldl2e" : "=t"(r));
  return r;
}

// Restores the caller's control word on every way out of a scope that changed it.
class ControlWordGuard {
 public:
  explicit ControlWordGuard(uint16_t temporary) : saved_(ControlWord()) {
    SetControlWord(temporary);
  }
  ~ControlWordGuard() { SetControlWord(saved_); }
  ControlWordGuard(const ControlWordGuard&) = delete;
  ControlWordGuard& operator=(const ControlWordGuard&) = delete;

 private:
  uint16_t saved_;
};

}  // namespace numora::x87
