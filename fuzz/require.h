// The fuzz targets' one assertion: a broken promise names itself and aborts,
// so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace palabrum::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
    std::abort();
}

}  // namespace palabrum::fuzz

#define REQUIRE(condition) \
    do { \
        if (!(condition)) ::palabrum::fuzz::Fail(__FILE__, __LINE__, #condition); \
    } while (0)
