// The program's own messages, by language index, beside the language table. An index without texts
// (no selection, -1) reads English.
#pragma once

#include <string_view>

namespace pm {

// Saving on closing failed; the window stays open.
std::u16string_view save_failed_text(int language);
// SETTINGS.TXT exists but could not be read to its end; shown once at start-up.
std::u16string_view read_failed_text(int language);
// Lines of the settings file whose values were skipped; shown once at start-up, above the lines.
std::u16string_view values_skipped_text(int language);
// A second start found the folder's settings open in another editor that it could not bring forward.
std::u16string_view already_open_text(int language);
// The window could not be created; the program ends.
std::u16string_view window_failed_text(int language);

}  // namespace pm
