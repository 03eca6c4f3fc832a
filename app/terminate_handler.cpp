// The runtime's ways out, for a program built without exception handling.
//
// The program catches nothing, so a failure that the standard library would
// throw (a string made longer than it can ever be, for instance) ends the
// process through std::terminate and std::abort whatever is done here. The
// library's own versions of these routines get there by way of its
// exception machinery and a terminate handler that demangles the type name
// for a message on stderr, which a windowed program does not have; linked
// statically, they add the unwinder, the demangler and a printf with
// floating-point conversions to the executable. These definitions take
// their place in the program (never in the tests, which use exceptions) and
// end the process at once, as the library's would have.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

[[noreturn]] void __throw_bad_exception() {
    std::abort();
}
[[noreturn]] void __throw_bad_alloc() {
    std::abort();
}
[[noreturn]] void __throw_bad_array_new_length() {
    std::abort();
}
[[noreturn]] void __throw_bad_cast() {
    std::abort();
}
[[noreturn]] void __throw_bad_typeid() {
    std::abort();
}
[[noreturn]] void __throw_logic_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_domain_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_invalid_argument(const char*) {
    std::abort();
}
[[noreturn]] void __throw_length_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
[[noreturn]] void __throw_runtime_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_range_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_overflow_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_underflow_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_bad_function_call() {
    std::abort();
}

}  // namespace std
