// SETTINGS.TXT: the reader that applies each line to the window's controls, and the writer that rebuilds
// the file from them without ever damaging the file it replaces.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys_error.h"

namespace pm {

class Form1;
class FileSystem;
class TextServices;

// `name` in `folder` with exactly one "\" between them; a drive root ("E:\") keeps its own.
std::u16string path_in_folder(std::u16string_view folder, std::u16string_view name);
std::u16string settings_path(std::u16string_view program_folder);
// Where a save writes before it renames over SETTINGS.TXT.
std::u16string settings_new_path(std::u16string_view program_folder);

// The value that `line` gives for `key` ("JOB=", "HIGH_ALARM2=", ...): the text after the key when the
// key, in any letter case, begins the line after any blanks or tabs; otherwise empty.
std::u16string value_after_key(TextServices& text, std::u16string_view line, std::u16string_view key);

// Applies the key that begins `line` to its control, raising the control's events. A text value takes
// the line's characters over. A value that is no number or that its control refuses is skipped: the
// control keeps its value, `line` is left as it was, and the result is true.
bool parse_settings_line(Form1& form, TextServices& text, std::u16string& line);

// A line whose value the reader had to skip, as it stands in the file (cut to `shown_length`).
struct SkippedLine {
    static constexpr std::size_t shown_length = 60;
    std::size_t number;  // counted from 1
    std::u16string text;
    bool operator==(const SkippedLine&) const = default;
};

struct LoadOutcome {
    enum class Status {
        read,        // the file was read to its end
        missing,     // there is no settings file: nothing to read, nothing wrong
        unreadable,  // a file exists but could not be opened or read to its end
    };
    static constexpr std::size_t listed_skips = 10;

    Status status = Status::missing;
    SysError error = sys_error::ok;    // for unreadable
    std::u16string path;               // the file that was read or tried
    std::vector<SkippedLine> skipped;  // the first `listed_skips` lines with a skipped value
    std::size_t skipped_count = 0;     // all of them
};

// Reads SETTINGS.TXT from the program folder (or the SETTINGS.NEW that a save cut short left in its
// place) and applies it line by line. A file that begins with a UTF-8 or UTF-16 mark is read in that
// encoding; any other in the ANSI code page.
LoadOutcome load_settings(Form1& form, FileSystem& files, TextServices& text);

struct SaveOutcome {
    enum class Step {
        none,
        convert,
        check,
        recover,
        remove_stale,
        create,
        write,
        flush,
        close,
        rename,
        settle
    };
    Step failed_step = Step::none;
    SysError error = sys_error::ok;
    std::u16string path;         // the file whose step failed
    bool new_file_left = false;  // SETTINGS.NEW could not be deleted after the failure

    bool ok() const { return failed_step == Step::none; }
};

// Writes the seventeen lines, in the ANSI code page with CR LF and no mark, to SETTINGS.NEW and renames
// it over SETTINGS.TXT in one step. At every moment one of the two files holds the last good settings
// whole: a SETTINGS.NEW standing in for a missing SETTINGS.TXT is renamed into place first. On any later
// failure SETTINGS.TXT is as it was and SETTINGS.NEW is deleted.
SaveOutcome save_settings(Form1& form, FileSystem& files, TextServices& text);

}  // namespace pm
