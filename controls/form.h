// A top-level window that is the program's main window: it owns its
// controls and a list of other objects, runs the message loop and ends the
// program when it is asked to close.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "controls/control.h"
#include "controls/fatal_error.h"
#include "controls/handles.h"
#include "controls/owned_object.h"

namespace controls {

class Timer;

class Form : public Control {
public:
    // Creates the window hidden, its outer top-left corner at (x, y) and
    // its client area client_width x client_height.
    Form(int x, int y, int client_width, int client_height);

    // Teardown: hides the window, releases the owned objects (the last
    // registered first), then destroys the controls, the last created first.
    ~Form() override;

    // Registers an object owned by the window, in front of those before it.
    template <typename T, typename... Args>
    T& Own(Args&&... args) {
        auto object = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *object;
        owned_.insert(owned_.begin(), std::move(object));
        return ref;
    }
    void Own(std::unique_ptr<OwnedObject> object) {
        owned_.insert(owned_.begin(), std::move(object));
    }

    void SetIcon(UniqueIcon icon);

    // Shows the window and handles messages until a quit message has been
    // taken from the queue or an event handler failed.
    void RunMessageLoop();
    bool Running() const { return running_; }

    // Posts a close request; the window closes when the loop handles it.
    void Close();
    void Hide();

    // Ends the message loop with an error for the program entry to report.
    void Fail(FatalError error);
    const std::optional<FatalError>& Failure() const { return failure_; }

private:
    friend class Timer;
    void AddTimer(Timer& timer) { timers_.push_back(&timer); }
    void RemoveTimer(Timer& timer);
    void Tick(UINT_PTR id);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

    std::vector<std::unique_ptr<OwnedObject>> owned_;
    std::vector<Timer*> timers_;
    UniqueIcon icon_;
    bool running_ = false;
    std::optional<FatalError> failure_;
};

}  // namespace controls
