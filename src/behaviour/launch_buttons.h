// The two picture buttons: the DATA folder in the file browser, the products page in the web browser.
#pragma once

#include <string>
#include <string_view>

namespace pm {

class FileSystem;
class ProgramStart;
class ShellOpen;

inline constexpr std::u16string_view products_page = u"https://www.pelmora.com/products";

// The command line that opens `folder` in `browser`: both quoted, so paths with blanks stay whole.
std::u16string browser_command_line(std::u16string_view browser, std::u16string_view folder);

// Opens the DATA folder of the program folder, or the program folder itself when DATA is no visible
// folder (missing, an ordinary file, or marked hidden or system).
void Command1_Click(FileSystem& files, ProgramStart& programs);
void Command2_Click(ShellOpen& shell);

}  // namespace pm
