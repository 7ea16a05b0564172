// The two failure messages, by language index, beside the language table.
#pragma once

#include <string_view>

namespace pm {

// Saving on closing failed; the window stays open.
std::u16string_view save_failed_text(int language);
// SETTINGS.TXT exists but could not be read to its end; shown once at start-up.
std::u16string_view read_failed_text(int language);

}  // namespace pm
