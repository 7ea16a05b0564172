#include "settings/line_reader.h"

#include <algorithm>
#include <utility>

#include "platform/text_services.h"

namespace pm {

namespace {

// Lines longer than this give their memory back once applied, so that one huge line costs it once.
constexpr std::size_t keep_capacity = std::size_t{1} << 20;

void clear_line(std::string& line) {
    if (line.capacity() > keep_capacity) {
        std::string().swap(line);
    } else {
        line.clear();
    }
}

bool starts_with(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

}  // namespace

SysError utf8_to_utf16(std::string_view utf8, std::u16string& wide) {
    wide.clear();
    wide.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            wide.push_back(lead);
            ++i;
            continue;
        }
        int length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1Fu, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0Fu, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07u, least = 0x10000;
        } else {
            return sys_error::no_unicode_translation;  // a continuation byte, C0, C1 or F5-FF
        }
        if (utf8.size() - i < static_cast<std::size_t>(length)) return sys_error::no_unicode_translation;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0u) != 0x80u) return sys_error::no_unicode_translation;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return sys_error::no_unicode_translation;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            wide.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            wide.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FFu)));
        } else {
            wide.push_back(static_cast<char16_t>(code));
        }
        i += static_cast<std::size_t>(length);
    }
    return sys_error::ok;
}

namespace {

// Bytes that are no text in their encoding, as the warning shows them: each piece that decodes by itself
// (one to four bytes) as its text, each other byte as "\xE9".
template <class Decode>
std::u16string shown_undecodable(std::string_view bytes, Decode decode) {
    std::u16string shown;
    std::u16string piece;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t length = 1;
        for (; length <= 4 && i + length <= bytes.size(); ++length) {
            if (decode(bytes.substr(i, length), piece) == sys_error::ok && !piece.empty()) break;
        }
        if (length <= 4 && i + length <= bytes.size()) {
            shown += piece;
            i += length;
            continue;
        }
        const auto byte = static_cast<unsigned char>(bytes[i++]);
        shown += u"\\x";
        shown.push_back(u"0123456789ABCDEF"[byte >> 4]);
        shown.push_back(u"0123456789ABCDEF"[byte & 0xF]);
    }
    return shown;
}

}  // namespace

void LineReader::feed(std::string_view bytes) {
    if (encoding_ == Encoding::undecided) {
        // Four bytes show a mark, or UTF-16 without one; a read may hand them over one at a time.
        const std::size_t take = std::min(bytes.size(), 4 - head_.size());
        head_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (head_.size() < 4) return;
        decide();
    }
    if (encoding_ == Encoding::utf16le || encoding_ == Encoding::utf16be) {
        feed_units(bytes);
    } else {
        feed_bytes(bytes);
    }
}

void LineReader::decide() {
    std::string head;
    head.swap(head_);
    std::string_view rest = head;
    // Every other byte zero: UTF-16 that a program wrote without a mark (a settings line starts with a
    // letter, never with a character past U+00FF).
    const bool zeros_odd = head.size() == 4 && head[0] && !head[1] && head[2] && !head[3];
    const bool zeros_even = head.size() == 4 && !head[0] && head[1] && !head[2] && head[3];
    if (starts_with(rest, "\xEF\xBB\xBF")) {
        encoding_ = Encoding::utf8;
        rest.remove_prefix(3);
    } else if (starts_with(rest, "\xFF\xFE")) {
        encoding_ = Encoding::utf16le;
        rest.remove_prefix(2);
    } else if (starts_with(rest, "\xFE\xFF")) {
        encoding_ = Encoding::utf16be;
        rest.remove_prefix(2);
    } else if (zeros_odd || zeros_even) {
        encoding_ = zeros_odd ? Encoding::utf16le : Encoding::utf16be;
    } else {
        encoding_ = Encoding::ansi;
    }
    feed(rest);
}

SysError LineReader::finish() {
    // A file shorter than four bytes shows its encoding by a mark or not at all.
    if (encoding_ == Encoding::undecided) decide();
    if (encoding_ == Encoding::utf16le || encoding_ == Encoding::utf16be) {
        if (odd_byte_ >= 0) {
            // Cut in the middle of a unit: the last line is not what was written.
            const auto byte = static_cast<unsigned char>(odd_byte_);
            odd_byte_ = -1;
            std::u16string shown = std::exchange(units_, {});
            shown += u"\\x";
            shown.push_back(u"0123456789ABCDEF"[byte >> 4]);
            shown.push_back(u"0123456789ABCDEF"[byte & 0xF]);
            sink_(std::move(shown), true);
            return sys_error::file_corrupt;
        }
        if (!units_.empty()) emit_units();
        return sys_error::ok;
    }
    if (!bytes_.empty()) emit_bytes();
    return sys_error::ok;
}

void LineReader::feed_bytes(std::string_view bytes) {
    // CR and LF are never part of a double-byte character or of a UTF-8 sequence, so the bytes can be
    // split before they are decoded.
    while (!bytes.empty()) {
        if (after_cr_) {
            after_cr_ = false;
            if (bytes.front() == '\n') {
                bytes.remove_prefix(1);
                continue;
            }
        }
        const std::size_t stop = bytes.find_first_of("\r\n");
        bytes_.append(bytes.substr(0, stop));
        if (stop == std::string_view::npos) return;
        after_cr_ = bytes[stop] == '\r';
        bytes.remove_prefix(stop + 1);
        emit_bytes();
    }
}

void LineReader::emit_bytes() {
    std::u16string line;
    auto decode = [&](std::string_view b, std::u16string& wide) {
        return encoding_ == Encoding::utf8 ? utf8_to_utf16(b, wide) : text_.to_wide(b, wide);
    };
    const bool undecodable = decode(bytes_, line) != sys_error::ok;
    if (undecodable) line = shown_undecodable(bytes_, decode);
    clear_line(bytes_);
    sink_(std::move(line), undecodable);
}
void LineReader::feed_units(std::string_view bytes) {
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (odd_byte_ < 0) {
            odd_byte_ = b;
            continue;
        }
        const auto first = static_cast<unsigned>(odd_byte_);
        odd_byte_ = -1;
        const auto unit =
            static_cast<char16_t>(encoding_ == Encoding::utf16le ? first | (b << 8u) : (first << 8u) | b);
        if (after_cr_) {
            after_cr_ = false;
            if (unit == u'\n') continue;
        }
        if (unit == u'\r' || unit == u'\n') {
            after_cr_ = unit == u'\r';
            emit_units();
        } else {
            units_.push_back(unit);
        }
    }
}

void LineReader::emit_units() {
    sink_(std::exchange(units_, {}), false);
}

}  // namespace pm
