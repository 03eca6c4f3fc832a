// The program's own copy of the string classes' code.
//
// The standard library ships the members of std::string and std::wstring
// ready-made in its archive, built with exception handling; linked
// statically, each one that the program calls brings its whole archive
// member along (the linker keeps every function that has unwind data in a
// member it takes), and with it the unwinder. Instantiated here instead,
// they are compiled like the rest of the program, without exceptions, and
// the linker keeps only the members that are called. A failure the library
// would throw ends the process (see terminate_handler.cpp), as before.
#include <string>

template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
