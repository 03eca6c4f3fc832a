// Objects that a window owns besides its controls (records, timers).
#pragma once

namespace controls {

class OwnedObject {
public:
    OwnedObject() = default;
    virtual ~OwnedObject() = default;
    OwnedObject(const OwnedObject&) = delete;
    OwnedObject& operator=(const OwnedObject&) = delete;
};

}  // namespace controls
