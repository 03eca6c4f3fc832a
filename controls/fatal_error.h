// An error that ends the program. Event handlers hand it to their window,
// which carries it out of the message loop to the program entry; nothing
// is ever thrown through the system's frames.
#pragma once

#include <string>

namespace controls {

struct FatalError {
    std::string kind;               // the name of the error's kind
    std::string message;            // what went wrong
    const void* address = nullptr;  // where in the code it was raised
};

// Captures the caller's code address as the place of the error.
#define CONTROLS_HERE() (__builtin_return_address(0))

}  // namespace controls
