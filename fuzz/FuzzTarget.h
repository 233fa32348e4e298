#pragma once
// The frame of a fuzz target: one function of the input's bytes, built either as a
// libFuzzer entry point (MARVEK_LIBFUZZER) or registered by name, so that the ordinary
// test suite can replay the seed corpus and the inputs of past findings.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

namespace fuzz {

using TargetFunction = void (*)(const uint8_t* data, size_t size);

inline std::map<std::string, TargetFunction>& Targets() {
  static std::map<std::string, TargetFunction> targets;
  return targets;
}

struct Registration {
  Registration(const char* name, TargetFunction function) { Targets()[name] = function; }
};

// A broken invariant: said on stderr, then the process stops so the input is kept.
[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
  std::abort();
}

// Reads the input's bytes front to back; past the end every read gives zero.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
  bool Empty() const { return FPos >= FSize; }
  size_t Left() const { return FSize - FPos; }
  uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
  // A number in 0..N-1.
  int Below(int n) { return n <= 1 ? 0 : Byte() % n; }
  uint16_t Word() {
    const uint16_t low = Byte();
    return static_cast<uint16_t>(low | (Byte() << 8));
  }
  // Up to MaxLength bytes (the length comes first).
  std::string Text(size_t maxLength) {
    size_t length = std::min<size_t>(Byte() % (maxLength + 1), Left());
    std::string s(reinterpret_cast<const char*>(FData + FPos), length);
    FPos += length;
    return s;
  }
  // Every byte not read yet.
  std::string Rest() {
    std::string s(reinterpret_cast<const char*>(FData + FPos), Left());
    FPos = FSize;
    return s;
  }

 private:
  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
};

}  // namespace fuzz

#define FUZZ_CHECK(condition) ((condition) ? (void)0 : ::fuzz::Fail(__FILE__, __LINE__, #condition))

#ifdef MARVEK_LIBFUZZER
#define FUZZ_TARGET(name)                                                   \
  static void FuzzTarget_##name(const uint8_t* data, size_t size);          \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
    FuzzTarget_##name(data, size);                                          \
    return 0;                                                               \
  }                                                                         \
  static void FuzzTarget_##name(const uint8_t* data, size_t size)
#else
#define FUZZ_TARGET(name)                                                              \
  static void FuzzTarget_##name(const uint8_t* data, size_t size);                     \
  static const ::fuzz::Registration FuzzRegistration_##name(#name, FuzzTarget_##name); \
  static void FuzzTarget_##name(const uint8_t* data, size_t size)
#endif
