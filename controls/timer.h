// A periodic timer whose ticks arrive through the window's message queue.
#pragma once

#include <windows.h>

#include <functional>

#include "controls/owned_object.h"

namespace controls {

class Form;

class Timer : public OwnedObject {
public:
    Timer(Form& owner, UINT interval_ms);
    ~Timer() override;  // stops the timer: no tick arrives afterwards

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

    std::function<void(Timer& sender)> OnTick;

private:
    friend class Form;
    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }

    Form& owner_;
    UINT interval_;
    bool enabled_ = false;
};

}  // namespace controls
