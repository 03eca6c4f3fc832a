#include "controls/timer.h"

#include "controls/form.h"

namespace controls {

Timer::Timer(Form& owner, UINT interval_ms) : owner_(owner), interval_(interval_ms) {
    owner_.AddTimer(*this);
}

Timer::~Timer() {
    SetEnabled(false);
    owner_.RemoveTimer(*this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled) {
        SetTimer(owner_.Handle(), Id(), interval_, nullptr);
    } else {
        KillTimer(owner_.Handle(), Id());
    }
}

}  // namespace controls
