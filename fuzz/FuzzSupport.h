// FuzzSupport: a headless engine started once per fuzzing process, and a reset between inputs
// so one input's objects, cached documents and textures never leak into the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Fuzz
{
// Called first by every target that needs the engine. The first call starts it headless on the
// shipped data (BELLRUN_DATA overrides) with a throw-away preference folder, so nothing a fuzzer
// does touches the player's own files. Every call then clears what the last input built:
// objects, events, cameras, the map, and the documents, textures and sounds it added to the
// caches. What an input built stays until the next call, for the tests to look at.
void Begin();
// Runs n whole frames on what the input loaded, so loaded values are also used, not only read.
void Frames(int n);
// Clears what the last input built, as the next Begin would. libFuzzer's entry point calls it
// after each input: an input that ends with as many frees as allocations is not run a second
// time for leak checking, which had cost a third of every run.
void End();
std::string Text(const uint8_t* data, size_t size);

// The replay build (the regression inputs under tests/fuzz/, run by the normal suite) keeps
// every target in one program, found by name.
using Target = int (*)(const uint8_t* data, size_t size);
bool Register(const char* name, Target target);
Target Find(const std::string& name);
} // namespace Fuzz

// FUZZ_TARGET(Name)(const uint8_t* data, size_t size) { ... }: libFuzzer's entry point in a fuzz
// build, a registered function in the replay build.
#if defined(BELLRUN_FUZZ_REPLAY)
#define FUZZ_TARGET(name)                                                                          \
    static int name##Input(const uint8_t*, size_t);                                                \
    [[maybe_unused]] static const bool name##Registered = Fuzz::Register(#name, &name##Input);     \
    static int name##Input
#else
#define FUZZ_TARGET(name)                                                                          \
    static int name##Input(const uint8_t*, size_t);                                                \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)                        \
    {                                                                                              \
        int result = name##Input(data, size);                                                      \
        Fuzz::End();                                                                               \
        return result;                                                                             \
    }                                                                                              \
    static int name##Input
#endif
