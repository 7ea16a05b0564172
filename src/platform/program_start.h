// The program-start service: starts another program in a normal window that takes the focus, without
// waiting for it.
#pragma once

#include <string>

namespace pm {

class ProgramStart {
  public:
    virtual ~ProgramStart() = default;
    // The system's own file browser by its full path in the Windows folder; never searched for.
    virtual std::u16string file_browser() = 0;
    // Starts `program` (a full path) with `command_line` (which repeats the program, quoted, first).
    virtual void start(const std::u16string& program, const std::u16string& command_line) = 0;
};

}  // namespace pm
