// SETTINGS.TXT: the reader that applies each line to the window's controls, and the writer that rebuilds
// the file from them without ever damaging the file it replaces.
#pragma once

#include <cstddef>
#include <cstdint>
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

// What a line of the settings file did.
enum class LineUse {
    applied,     // its key's control took the value
    empty,       // a key without a value (or a blank line): nothing changes, nothing to say
    unusable,    // a value that is no number or that its control refuses: the control keeps its value
    cut,         // a text value holding a NUL: its control took the text before it, which is all a box shows
    no_setting,  // no key begins it: it sets nothing
};

// Applies the key that begins `line` (after blanks, tabs or U+FEFF) to its control, raising the
// control's events. A text value takes the line's characters over (a cut one leaves `line` whole);
// otherwise `line` is left as it was.
LineUse parse_settings_line(Form1& form, TextServices& text, std::u16string& line);

// A line as the start-up warning shows it: its number (from 1) and its first `shown_length` characters,
// every character that shows nothing or turns the text around as an escape, and "…" where it was cut.
struct SkippedLine {
    static constexpr std::size_t shown_length = 60;
    std::size_t number;
    std::u16string text;
    bool operator==(const SkippedLine&) const = default;
};

// One list of lines in the warning: the first `shown` of them, and how many there were in all.
struct ListedLines {
    static constexpr std::size_t shown = 10;
    std::vector<SkippedLine> first;
    std::size_t count = 0;

    void add(std::size_t number, std::u16string_view line);
};

// What the start-up read, to tell later whether another program wrote the file since.
struct ReadMark {
    bool known = false;     // the file that was there, or that none was, is known
    bool present = false;   // a file was read: SETTINGS.TXT, or the SETTINGS.NEW in its place
    bool unread = false;    // a file was there that could not be read whole: the window does not show it
    bool stand_in = false;  // the file was SETTINGS.NEW, standing in for a missing SETTINGS.TXT
    std::uint64_t size = 0;
    std::uint64_t hash = 0;  // FNV-1a of the bytes
    bool operator==(const ReadMark&) const = default;
};

struct LoadOutcome {
    enum class Status {
        read,        // the file was read to its end
        missing,     // there is no settings file: nothing to read, nothing wrong
        unreadable,  // a file exists but could not be opened or read to its end, or is damaged
    };

    Status status = Status::missing;
    SysError error = sys_error::ok;  // for unreadable
    std::u16string path;             // the file that was read or tried
    ListedLines skipped;             // values that could not be used, and lines that are no text
    ListedLines no_setting;          // lines that set nothing, which a save leaves out
    ListedLines unwritable;          // lines whose characters the ANSI code page cannot all hold
    ReadMark read;
};

// Reads SETTINGS.TXT from the program folder (or the SETTINGS.NEW that a save cut short left in its
// place) and applies it line by line. A file that begins with a UTF-8 or UTF-16 mark is read in that
// encoding; any other in the ANSI code page.
LoadOutcome load_settings(Form1& form, FileSystem& files, TextServices& text);

// What start-up would read now. Not known when it cannot be read.
ReadMark mark_settings(FileSystem& files);

// What Yes must ask before a save replaces the settings file, and the name of the file it is about.
struct SaveQuestion {
    enum class Kind {
        none,
        changed_elsewhere,  // another program wrote the file (or made it) after start-up read it
        not_read,           // start-up could not read the file, and one is there now
    };
    Kind kind = Kind::none;
    std::u16string_view file_name;  // "SETTINGS.TXT", or "SETTINGS.NEW" where that is the file
};
// A file that is gone now, or that cannot be read now, is no change: the save meets the same failure and
// names it. A file that start-up could not read is asked about whenever one is there.
SaveQuestion question_before_save(const ReadMark& read, FileSystem& files);

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
