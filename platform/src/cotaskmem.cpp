#include "unknwn.h"

#include <cstdlib>

extern "C" {

void* CoTaskMemAlloc(std::size_t bytes) { return std::malloc(bytes); }
void* CoTaskMemRealloc(void* block, std::size_t bytes) { return std::realloc(block, bytes); }
void CoTaskMemFree(void* block) { std::free(block); }
}
