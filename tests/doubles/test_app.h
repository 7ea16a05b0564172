// A whole program on test doubles: files in memory, Windows-1252 text, a fixed screen, no display.
#pragma once

#include <string>
#include <vector>

#include "app/app.h"
#include "doubles/headless_services.h"
#include "doubles/memory_file_system.h"
#include "platform/portable/cp1252_text.h"

namespace pm::test {

// A program on test doubles, with a text service of the test's choosing.
template <class Text>
struct BasicTestApp : HeadlessUser {
    MemoryFileSystem files;
    Text text;
    App app{services(files, text)};

    Form1& form() { return app.form(); }
};

using TestApp = BasicTestApp<Cp1252Text>;

// Records what the view is told to refresh, by control name and index.
class RecordingView : public FormView {
  public:
    void refresh(const Control& control) override { refreshed.push_back({control.name(), control.index()}); }
    void refresh_form() override { ++form_refreshes; }

    int count(ControlName name, int index) const {
        int n = 0;
        for (const auto& r : refreshed)
            n += r.first == name && r.second == index;
        return n;
    }
    std::vector<std::pair<ControlName, int>> refreshed;
    int form_refreshes = 0;
};

// The example settings file: seventeen CR LF lines, 254 bytes.
inline const std::string example_settings =
    "JOB=Site 4 compressor\r\n"
    "ENABLE_CH1=1\r\nHIGH_ALARM1=60\r\nLOW_ALARM1=20\r\n"
    "ENABLE_CH2=1\r\nHIGH_ALARM2=45\r\nLOW_ALARM2=45\r\n"
    "ENABLE_CH3=0\r\nHIGH_ALARM3=0\r\nLOW_ALARM3=0\r\n"
    "ENABLE_CH4=1\r\nHIGH_ALARM4=99\r\nLOW_ALARM4=5\r\n"
    "GSM1=0123456789\r\nGSM2=\r\nGSM3=+3100000000\r\n"
    "LANGUAGE=2\r\n";

}  // namespace pm::test
