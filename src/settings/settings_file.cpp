#include "settings/settings_file.h"

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_services.h"
#include "platform/utf16.h"
#include "settings/line_reader.h"
#include "window/form1.h"

namespace pm {

namespace {

// A key's control: a text box holds its text, any other control a number (Value or ListIndex).
struct Key {
    std::u16string_view key;
    ControlName control;
    int index;
};

// The seventeen keys and their controls, in the order the reader tries them and the writer writes them.
// clang-format off
constexpr std::array<Key, 17> keys = {{
    {u"JOB=",         ControlName::Text5,                0},
    {u"ENABLE_CH1=",  ControlName::pressure_channel,     1},
    {u"HIGH_ALARM1=", ControlName::high_pressure_scroll, 1},
    {u"LOW_ALARM1=",  ControlName::low_pressure_scroll,  1},
    {u"ENABLE_CH2=",  ControlName::pressure_channel,     2},
    {u"HIGH_ALARM2=", ControlName::high_pressure_scroll, 2},
    {u"LOW_ALARM2=",  ControlName::low_pressure_scroll,  2},
    {u"ENABLE_CH3=",  ControlName::pressure_channel,     3},
    {u"HIGH_ALARM3=", ControlName::high_pressure_scroll, 3},
    {u"LOW_ALARM3=",  ControlName::low_pressure_scroll,  3},
    {u"ENABLE_CH4=",  ControlName::pressure_channel,     4},
    {u"HIGH_ALARM4=", ControlName::high_pressure_scroll, 4},
    {u"LOW_ALARM4=",  ControlName::low_pressure_scroll,  4},
    {u"GSM1=",        ControlName::Text1,                1},
    {u"GSM2=",        ControlName::Text1,                2},
    {u"GSM3=",        ControlName::Text1,                3},
    {u"LANGUAGE=",    ControlName::Combo1,               0},
}};
// clang-format on

Control& control_of(Form1& form, const Key& k) {
    Control* control = form.find(k.control, k.index);
    if (control == nullptr) throw std::out_of_range("a settings key names no control");
    return *control;
}

// The number a control holds is its Value, or for the language list its ListIndex.
int number_of(Control& control) {
    if (auto* box = dynamic_cast<CheckBox*>(&control)) return box->value();
    if (auto* bar = dynamic_cast<HScrollBar*>(&control)) return bar->value();
    return dynamic_cast<ComboBox&>(control).list_index();
}

// The control itself refuses a number outside its range.
void assign_number(Control& control, std::int16_t n) {
    if (auto* box = dynamic_cast<CheckBox*>(&control)) {
        box->set_value(n);
    } else if (auto* bar = dynamic_cast<HScrollBar*>(&control)) {
        bar->set_value(n);
    } else {
        dynamic_cast<ComboBox&>(control).set_list_index(n);
    }
}

// A blank before a key: a text editor may also have left a byte order mark there (a file saved with
// one mark too many).
bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\uFEFF';
}

// Where the value for `key` starts in `line`, when the key begins the line after blanks or tabs.
std::optional<std::size_t> value_start(TextServices& text, std::u16string_view line,
                                       std::u16string_view key) {
    std::size_t start = 0;
    while (start < line.size() && is_blank(line[start]))
        ++start;
    if (line.size() - start < key.size()) return std::nullopt;
    if (text.find_no_case(line.substr(start, key.size()), key) != 0) return std::nullopt;
    return start + key.size();
}

}  // namespace

std::u16string path_in_folder(std::u16string_view folder, std::u16string_view name) {
    std::u16string path{folder};
    if (path.empty() || path.back() != u'\\') path.push_back(u'\\');
    return path.append(name);
}

std::u16string settings_path(std::u16string_view program_folder) {
    return path_in_folder(program_folder, u"SETTINGS.TXT");
}

std::u16string settings_new_path(std::u16string_view program_folder) {
    return path_in_folder(program_folder, u"SETTINGS.NEW");
}

std::u16string value_after_key(TextServices& text, std::u16string_view line, std::u16string_view key) {
    const auto start = value_start(text, line, key);
    return start ? std::u16string{line.substr(*start)} : std::u16string{};
}

LineUse parse_settings_line(Form1& form, TextServices& text, std::u16string& line) {
    bool blank = true;
    for (char16_t c : line)
        blank = blank && is_blank(c);
    if (blank) return LineUse::empty;
    for (const Key& k : keys) {
        const auto start = value_start(text, line, k.key);
        if (!start) continue;
        // An empty value changes nothing; and as a key must begin the line, no other key can follow.
        if (*start == line.size()) return LineUse::empty;

        Control& control = control_of(form, k);
        if (control.kind() == ControlKind::text_box) {
            // A box shows its text up to a NUL, and a save writes what the window shows: the text ends
            // there (an empty one clears nothing), and the line is listed for the user.
            if (const auto nul = line.find(u'\0', *start); nul != std::u16string::npos) {
                if (nul > *start) dynamic_cast<TextBox&>(control).set_text(line.substr(*start, nul - *start));
                return LineUse::cut;
            }
            line.erase(0, *start);  // the text goes over without another copy
            dynamic_cast<TextBox&>(control).set_text(std::move(line));
            return LineUse::applied;
        }
        const auto number = text.to_int16(std::u16string_view{line}.substr(*start));
        if (!number) return LineUse::unusable;  // no number: the control keeps its value
        try {
            assign_number(control, *number);
        } catch (const InvalidValueError&) {
            return LineUse::unusable;  // outside the control's range: it keeps its value
        }
        return LineUse::applied;
    }
    return LineUse::no_setting;
}

namespace {

// Ranges of code points, first and last, sorted.
struct Range {
    char32_t first, last;
};

// What shows nothing, or turns the text around it, in a message box: the controls (Cc), the format
// characters (Cf: the bidirectional marks and isolates, the zero-width characters, U+FEFF, the
// interlinear annotation marks...), the line and paragraph separators (Zl, Zp), and the other code points
// that are ignored by default (fillers, variation selectors, tags). Surrogates are handled apart.
// clang-format off
constexpr Range hidden_ranges[] = {
    {0x0000, 0x001F}, {0x007F, 0x009F}, {0x00AD, 0x00AD}, {0x034F, 0x034F}, {0x0600, 0x0605},
    {0x061C, 0x061C}, {0x06DD, 0x06DD}, {0x070F, 0x070F}, {0x0890, 0x0891}, {0x08E2, 0x08E2},
    {0x115F, 0x1160}, {0x17B4, 0x17B5}, {0x180B, 0x180F}, {0x200B, 0x200F}, {0x2028, 0x202E},
    {0x2060, 0x206F}, {0x3164, 0x3164}, {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0},
    {0xFFF0, 0xFFFB}, {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};
// clang-format on

bool is_hidden(char32_t c) {
    for (const Range& r : hidden_ranges) {
        if (c < r.first) return false;
        if (c <= r.last) return true;
    }
    return false;
}

// "\x1F" below U+0100, "\u200B" in the BMP, "\uE0001" beyond it.
void append_escape(std::u16string& text, char32_t c) {
    text += c < 0x100 ? u"\\x" : u"\\u";
    const int digits = c < 0x100 ? 2 : c < 0x10000 ? 4 : c < 0x100000 ? 5 : 6;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        text.push_back(u"0123456789ABCDEF"[(c >> shift) & 0xF]);
}

}  // namespace

// Whole characters only, and nothing that the box would not show or that would turn the list around.
void ListedLines::add(std::size_t number, std::u16string_view line) {
    if (++count > shown) return;
    std::u16string text;
    std::size_t at = 0;
    for (std::size_t characters = 0; at < line.size() && characters < SkippedLine::shown_length;
         ++characters) {
        const char16_t c = line[at];
        const bool pair = is_high_surrogate(c) && at + 1 < line.size() && is_low_surrogate(line[at + 1]);
        const std::size_t length = pair ? 2 : 1;
        const char32_t code_point =
            pair ? 0x10000 + ((char32_t{c} - 0xD800) << 10) + (char32_t{line[at + 1]} - 0xDC00) : char32_t{c};
        // A lone surrogate is no character at all.
        if (is_hidden(code_point) || (!pair && (is_high_surrogate(c) || is_low_surrogate(c)))) {
            append_escape(text, code_point);
        } else {
            text.append(line.substr(at, length));
        }
        at += length;
    }
    if (at < line.size()) text += u"\u2026";
    first.push_back({number, std::move(text)});
}

namespace {

// FNV-1a, 64 bits, over the bytes as they come.
struct Fingerprint {
    std::uint64_t size = 0;
    std::uint64_t hash = 14695981039346656037ull;
    void add(std::string_view bytes) {
        size += bytes.size();
        for (char b : bytes)
            hash = (hash ^ static_cast<unsigned char>(b)) * 1099511628211ull;
    }
};

// The file start-up reads: SETTINGS.TXT, or, without it, a SETTINGS.NEW that a save cut off before its
// rename left in its place; empty when neither is there.
SysError settings_to_read(FileSystem& files, std::u16string& path) {
    const std::u16string folder = files.program_folder();
    path = settings_path(folder);
    PathInfo info;
    if (SysError e = files.query(path, info)) return e;
    if (info.exists) return sys_error::ok;
    const std::u16string new_path = settings_new_path(folder);
    PathInfo new_info;
    if (files.query(new_path, new_info) == sys_error::ok && new_info.exists && !new_info.directory) {
        path = new_path;
    } else {
        path.clear();
    }
    return sys_error::ok;
}

// The value of a text key that begins `line`; empty for any other line.
std::u16string_view text_value(TextServices& text, std::u16string_view line) {
    for (const Key& k : keys) {
        const auto start = value_start(text, line, k.key);
        if (start)
            return k.control == ControlName::Text5 || k.control == ControlName::Text1 ? line.substr(*start)
                                                                                      : std::u16string_view{};
    }
    return {};
}

constexpr std::size_t buffer_size = 64 * 1024;

// Reads the file at `path` to its end, handing each piece to `take`. Only what a read hands back is
// ever looked at, so the buffer is not zeroed first.
template <class Take>
SysError read_whole(FileSystem& files, const std::u16string& path, Take take) {
    std::unique_ptr<OpenFile> file;
    if (SysError e = files.open_read(path, file)) return e;
    const auto buffer = std::make_unique_for_overwrite<char[]>(buffer_size);
    for (;;) {
        std::size_t got = 0;
        if (SysError e = file->read({buffer.get(), buffer_size}, got)) {
            file->close();
            return e;
        }
        if (got == 0) break;
        take(std::string_view{buffer.get(), got});
    }
    file->close();
    return sys_error::ok;
}

}  // namespace

LoadOutcome load_settings(Form1& form, FileSystem& files, TextServices& text) {
    LoadOutcome outcome;
    outcome.path = settings_path(files.program_folder());
    auto unreadable = [&](SysError e) {
        outcome.status = LoadOutcome::Status::unreadable;
        outcome.error = e;
        outcome.read = {};
        outcome.read.unread = true;
        outcome.read.stand_in = outcome.path == settings_new_path(files.program_folder());
        return outcome;
    };
    std::u16string path;
    if (SysError e = settings_to_read(files, path)) return unreadable(e);
    outcome.read.known = true;
    if (path.empty()) return outcome;  // missing
    outcome.path = path;

    std::size_t number = 0;
    LineReader lines(text, [&](std::u16string line, bool undecodable) {
        ++number;
        if (undecodable) return outcome.skipped.add(number, line);
        // Characters that the ANSI code page lacks can only come from a Unicode file, and matter only in
        // a text that a save writes back.
        const bool unwritable =
            lines.unicode() && !text.can_write(line) && !text.can_write(text_value(text, line));
        const std::u16string kept = unwritable ? line : std::u16string{};
        switch (parse_settings_line(form, text, line)) {
            case LineUse::applied:
                if (unwritable) outcome.unwritable.add(number, kept);
                break;
            case LineUse::unusable:
            case LineUse::cut:
                outcome.skipped.add(number, line);
                break;
            case LineUse::no_setting:
                outcome.no_setting.add(number, line);
                break;
            case LineUse::empty:
                break;
        }
    });
    Fingerprint read;
    if (SysError e = read_whole(files, path, [&](std::string_view bytes) {
            read.add(bytes);
            lines.feed(bytes);
        })) {
        return unreadable(e);
    }
    if (SysError e = lines.finish()) return unreadable(e);
    outcome.status = LoadOutcome::Status::read;
    outcome.read = {.known = true,
                    .present = true,
                    .stand_in = path == settings_new_path(files.program_folder()),
                    .size = read.size,
                    .hash = read.hash};
    return outcome;
}

ReadMark mark_settings(FileSystem& files) {
    std::u16string path;
    if (settings_to_read(files, path) != sys_error::ok) return {};
    if (path.empty()) return {.known = true};
    Fingerprint now;
    if (read_whole(files, path, [&](std::string_view bytes) { now.add(bytes); }) != sys_error::ok) return {};
    return {.known = true,
            .present = true,
            .stand_in = path == settings_new_path(files.program_folder()),
            .size = now.size,
            .hash = now.hash};
}

SaveQuestion question_before_save(const ReadMark& read, FileSystem& files) {
    using Kind = SaveQuestion::Kind;
    auto name = [](bool stand_in) { return stand_in ? u"SETTINGS.NEW" : u"SETTINGS.TXT"; };
    if (read.unread) {
        // Whatever is there now, the editor never showed it; where even that cannot be told, ask.
        std::u16string path;
        if (settings_to_read(files, path) != sys_error::ok || !path.empty())
            return {Kind::not_read, name(read.stand_in)};
        return {};
    }
    if (!read.known) return {};
    const ReadMark now = mark_settings(files);
    // Unreadable now (held open, the card gone): nothing says another program wrote it, and the save
    // itself will meet the same failure and name it.
    if (!now.known || !now.present) return {};
    if (read.present && now.size == read.size && now.hash == read.hash) return {};
    return {Kind::changed_elsewhere, name(now.stand_in)};
}

namespace {

SysError settings_line(Form1& form, TextServices& text, const Key& k, std::string& line) {
    line.assign(k.key.begin(), k.key.end());
    Control& control = control_of(form, k);
    if (control.kind() == ControlKind::text_box) {
        std::u16string value = dynamic_cast<TextBox&>(control).text();
        for (char16_t& c : value) {
            if (c == u'\r' || c == u'\n') c = u' ';  // a value must never end its line or start a key
        }
        std::string ansi;
        if (SysError e = text.to_ansi(value, ansi)) return e;
        line += ansi;
    } else {
        line += std::to_string(number_of(control));
    }
    line += "\r\n";
    return sys_error::ok;
}

}  // namespace

// The invariant of a save: at every moment SETTINGS.TXT or SETTINGS.NEW holds the last good settings
// whole. So nothing is deleted or replaced before the file that holds them is SETTINGS.TXT, and the
// new settings replace it only by one rename of a SETTINGS.NEW that was written, flushed and closed; the
// save is done once that rename is on the medium too.
SaveOutcome save_settings(Form1& form, FileSystem& files, TextServices& text) {
    using Step = SaveOutcome::Step;
    const std::u16string folder = files.program_folder();
    const std::u16string path = settings_path(folder);
    const std::u16string new_path = settings_new_path(folder);

    // Every value is converted before any file is touched: a text the system cannot convert is never
    // written shortened.
    std::vector<std::string> lines(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (SysError e = settings_line(form, text, keys[i], lines[i])) return {Step::convert, e, path};
    }

    PathInfo old;
    if (SysError e = files.query(path, old)) return {Step::check, e, path};
    PathInfo stale;
    if (SysError e = files.query(new_path, stale)) return {Step::check, e, new_path};
    if (stale.exists && stale.directory) return {Step::check, sys_error::access_denied, new_path};

    if (!old.exists && stale.exists) {
        // SETTINGS.TXT is missing and SETTINGS.NEW holds the settings (a save cut off before its rename,
        // which is what the start-up read): it becomes SETTINGS.TXT before anything can go wrong.
        if (SysError e = files.rename_replace(new_path, path)) return {Step::recover, e, new_path};
        old = stale;
        stale = {};
    }
    // Refused here, not left to the platform: some file systems let a rename replace a read-only file.
    if (old.exists && (old.directory || old.read_only)) return {Step::check, sys_error::access_denied, path};
    if (stale.exists) {
        if (SysError e = files.remove(new_path)) return {Step::remove_stale, e, new_path, true};
    }

    NewFileAttributes attributes;
    if (old.exists) attributes = {old.hidden, old.system, old.archive};
    std::unique_ptr<OpenFile> file;
    if (SysError e = files.create_new(new_path, attributes, file)) return {Step::create, e, new_path};

    auto give_up = [&](Step step, SysError error, const std::u16string& failed) {
        if (file) file->close();
        SaveOutcome outcome{step, error, failed};
        outcome.new_file_left = files.remove(new_path) != sys_error::ok;
        return outcome;
    };
    for (const std::string& line : lines) {
        std::size_t written = 0;
        if (SysError e = file->write(line, written)) return give_up(Step::write, e, new_path);
        if (written != line.size()) return give_up(Step::write, sys_error::handle_disk_full, new_path);
    }
    if (SysError e = file->flush()) return give_up(Step::flush, e, new_path);
    SysError closed = file->close();
    file.reset();
    if (closed) return give_up(Step::close, closed, new_path);
    // A rename fails for what holds the file it replaces: another program, or the medium.
    if (SysError e = files.rename_replace(new_path, path)) return give_up(Step::rename, e, path);
    // The rename itself may still be in the cache: a card pulled now could come back with the old file.
    if (SysError e = files.flush_to_medium(path)) return {Step::settle, e, path};
    return {};
}

}  // namespace pm
