// The beep service: the system's standard beep.
#pragma once

namespace pm {

class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

}  // namespace pm
