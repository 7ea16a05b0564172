// A whole program on test doubles: files in memory, Windows-1252 text, a fixed screen, no display.
#pragma once

#include <string>
#include <vector>

#include "app/app.h"
#include "doubles/headless_services.h"
#include "doubles/memory_file_system.h"
#include "example_settings.h"  // pm::test::example_settings: tests/data/SETTINGS.TXT, 17 lines, 254 bytes
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

}  // namespace pm::test
