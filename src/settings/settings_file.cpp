#include "settings/settings_file.h"

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_services.h"
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

// Where the value for `key` starts in `line`, when the key begins the line after blanks or tabs.
std::optional<std::size_t> value_start(TextServices& text, std::u16string_view line,
                                       std::u16string_view key) {
    std::size_t start = 0;
    while (start < line.size() && (line[start] == u' ' || line[start] == u'\t'))
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

bool parse_settings_line(Form1& form, TextServices& text, std::u16string& line) {
    for (const Key& k : keys) {
        const auto start = value_start(text, line, k.key);
        if (!start || *start == line.size()) continue;  // no such key, or an empty value: nothing changes

        Control& control = control_of(form, k);
        if (control.kind() == ControlKind::text_box) {
            line.erase(0, *start);  // the text goes over without another copy
            dynamic_cast<TextBox&>(control).set_text(std::move(line));
            return false;  // a key must begin the line, so no other key can follow
        }
        const auto number = text.to_int16(std::u16string_view{line}.substr(*start));
        if (!number) return true;  // no number: the control keeps its value
        try {
            assign_number(control, *number);
        } catch (const InvalidValueError&) {
            return true;  // outside the control's range: it keeps its value, and the reading goes on
        }
        return false;
    }
    return false;
}

namespace {

// The start of a line, as the warning about skipped values shows it: whole characters only.
std::u16string shown_part(std::u16string_view line) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < line.size() && characters < SkippedLine::shown_length;
         ++characters) {
        const bool pair = line[end] >= 0xD800 && line[end] < 0xDC00 && end + 1 < line.size() &&
                          line[end + 1] >= 0xDC00 && line[end + 1] < 0xE000;
        end += pair ? 2 : 1;
    }
    return std::u16string{line.substr(0, end)};
}

}  // namespace

LoadOutcome load_settings(Form1& form, FileSystem& files, TextServices& text) {
    const std::u16string folder = files.program_folder();
    LoadOutcome outcome;
    outcome.path = settings_path(folder);

    auto unreadable = [&](SysError e) {
        outcome.status = LoadOutcome::Status::unreadable;
        outcome.error = e;
        return outcome;
    };
    PathInfo info;
    if (SysError e = files.query(outcome.path, info)) return unreadable(e);
    if (!info.exists) {
        // A save cut off between writing SETTINGS.NEW and renaming it leaves only the new file.
        const std::u16string new_path = settings_new_path(folder);
        PathInfo new_info;
        if (files.query(new_path, new_info) != sys_error::ok || !new_info.exists || new_info.directory) {
            return outcome;  // missing
        }
        outcome.path = new_path;
    }

    std::unique_ptr<OpenFile> file;
    if (SysError e = files.open_read(outcome.path, file)) return unreadable(e);
    std::size_t number = 0;
    LineReader lines(text, [&](std::u16string line) {
        ++number;
        if (!parse_settings_line(form, text, line)) return;
        if (++outcome.skipped_count <= LoadOutcome::listed_skips)
            outcome.skipped.push_back({number, shown_part(line)});
    });
    auto unreadable_file = [&](SysError e) {
        file->close();
        return unreadable(e);
    };
    // Only what a read hands back is ever looked at, so the buffer is not zeroed first.
    constexpr std::size_t buffer_size = 64 * 1024;
    const auto buffer = std::make_unique_for_overwrite<char[]>(buffer_size);
    for (;;) {
        std::size_t got = 0;
        if (SysError e = file->read({buffer.get(), buffer_size}, got)) return unreadable_file(e);
        if (got == 0) break;
        if (SysError e = lines.feed({buffer.get(), got})) return unreadable_file(e);
    }
    file->close();
    if (SysError e = lines.finish()) return unreadable(e);
    outcome.status = LoadOutcome::Status::read;
    return outcome;
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
