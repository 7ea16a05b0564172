#include "behaviour/launch_buttons.h"

#include "platform/file_system.h"
#include "platform/program_start.h"
#include "platform/shell_open.h"
#include "settings/settings_file.h"

namespace pm {

std::u16string browser_command_line(std::u16string_view browser, std::u16string_view folder) {
    std::u16string line = u"\"";
    line += browser;
    line += u"\" \"";
    line += folder;
    line += u"\"";
    return line;
}

void Command1_Click(FileSystem& files, ProgramStart& programs) {
    const std::u16string folder = files.program_folder();
    const std::u16string data = path_in_folder(folder, u"DATA");
    PathInfo info;
    const bool visible_folder = files.query(data, info) == sys_error::ok && info.exists && info.directory &&
                                !info.hidden && !info.system;
    const std::u16string browser = programs.file_browser();
    programs.start(browser, browser_command_line(browser, visible_folder ? data : folder));
}

void Command2_Click(ShellOpen& shell) {
    shell.open(products_page);
}

}  // namespace pm
