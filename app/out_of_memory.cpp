// Allocation failure ends the program with the error report instead of an
// unhandled exception: the program is built without exception handling.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "app/error_report.h"

namespace {

[[noreturn]] __attribute__((noinline)) void OutOfMemory() {
    // The report allocates too; if that fails as well, end without it.
    static bool reporting = false;
    if (!reporting) {
        reporting = true;
        app::ShowErrorReport({"OutOfMemory", "Out of memory", CONTROLS_HERE()});
    }
    ExitProcess(1);
}

void* Allocate(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    OutOfMemory();
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
