// The program's own messages, by language index, beside the language table. An index without texts
// (no selection, -1) reads English.
#pragma once

#include <cstddef>
#include <string>
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
// Lines of the settings file that set nothing, which a save leaves out; and lines with characters the
// ANSI code page lacks, which a save writes as "?". Each above its lines in the start-up warning.
std::u16string_view no_setting_text(int language);
std::u16string_view unwritable_text(int language);
// "line" before a line's number in the warning, and what stands for the lines past the first ten.
std::u16string_view line_word(int language);
std::u16string more_lines_text(int language, std::size_t more);
// Yes is about to save over a settings file that another program wrote after start-up read it; or over
// one that start-up could not read. Each names the file: SETTINGS.TXT, or the SETTINGS.NEW in its place.
std::u16string changed_elsewhere_text(int language, std::u16string_view file_name);
std::u16string not_read_text(int language, std::u16string_view file_name);
// A path as a box shows it: whole up to `shown_path_length` characters; a longer one (a folder deep in a
// long-path tree) keeps its start and its end, the file's name with it, around "…", so that no box is
// taller than the screen for it.
inline constexpr std::size_t shown_path_length = 256;
std::u16string shown_path(std::u16string_view path);
// The window could not be created; the program ends.
std::u16string_view window_failed_text(int language);

}  // namespace pm
