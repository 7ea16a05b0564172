// SETTINGS.TXT: the reader that applies each line to the window's controls, and the writer that rebuilds
// the file from them without ever damaging the file it replaces.
#pragma once

#include <string>
#include <string_view>

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

// Applies the keys that `line` holds to their controls, raising the controls' events. A value that is
// no number or that its control refuses is skipped; the control keeps its value.
void parse_settings_line(Form1& form, TextServices& text, std::u16string line);

struct LoadOutcome {
    enum class Status {
        read,        // the file was read to its end
        missing,     // there is no settings file: nothing to read, nothing wrong
        unreadable,  // a file exists but could not be opened or read to its end
    };
    Status status = Status::missing;
    SysError error = sys_error::ok;  // for unreadable
    std::u16string path;             // the file that was read or tried
};

// Reads SETTINGS.TXT from the program folder (or the SETTINGS.NEW that a save cut short left in its
// place) and applies it line by line.
LoadOutcome load_settings(Form1& form, FileSystem& files, TextServices& text);

struct SaveOutcome {
    enum class Step { none, check, remove_stale, create, write, flush, close, rename };
    Step failed_step = Step::none;
    SysError error = sys_error::ok;
    bool new_file_left = false;  // SETTINGS.NEW could not be deleted after the failure

    bool ok() const { return failed_step == Step::none; }
};

// Writes the seventeen lines to SETTINGS.NEW and renames it over SETTINGS.TXT in one step. On any
// failure SETTINGS.TXT is as it was and SETTINGS.NEW is deleted.
SaveOutcome save_settings(Form1& form, FileSystem& files, TextServices& text);

}  // namespace pm
