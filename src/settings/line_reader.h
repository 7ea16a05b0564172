// Splits the bytes of a settings file into lines of text. The monitor writes the ANSI code page; a file
// that a text editor saved with a byte order mark is read in the encoding the mark names instead.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/sys_error.h"

namespace pm {

class TextServices;

class LineReader {
  public:
    // A line without its line end (CR, CR LF or a lone LF). One that is no text in the file's encoding
    // comes as it would be shown: what decodes as text, every other byte as "\xE9"; it is never applied.
    using Sink = std::function<void(std::u16string line, bool undecodable)>;

    LineReader(TextServices& text, Sink sink) : text_(text), sink_(std::move(sink)) {}

    // The next bytes of the file.
    void feed(std::string_view bytes);
    // The end of the file: its last line, when no line end follows it. A UTF-16 file that ends in half a
    // unit is damaged: its last line comes as undecodable, and the result is a failure.
    SysError finish();
    // The file is in a Unicode encoding (a mark said so, or its first bytes show UTF-16), whose text the
    // ANSI code page may not hold.
    bool unicode() const { return encoding_ != Encoding::ansi && encoding_ != Encoding::undecided; }

  private:
    enum class Encoding { undecided, ansi, utf8, utf16le, utf16be };

    // The first bytes are known: the encoding follows from them, and they are read without the mark.
    void decide();
    void feed_bytes(std::string_view bytes);
    void feed_units(std::string_view bytes);
    void emit_bytes();
    void emit_units();

    TextServices& text_;
    Sink sink_;
    Encoding encoding_ = Encoding::undecided;
    std::string head_;       // the first bytes, until they show the encoding
    std::string bytes_;      // the line so far, for the byte encodings
    std::u16string units_;   // the line so far, for UTF-16
    bool after_cr_ = false;  // a LF right after a CR ends no second line
    int odd_byte_ = -1;      // UTF-16: the first byte of a unit whose second byte is still to come
};

// Strict UTF-8 to UTF-16: an overlong form, an encoded surrogate, a code point past U+10FFFF or a cut
// sequence is a failure.
SysError utf8_to_utf16(std::string_view utf8, std::u16string& wide);

}  // namespace pm
