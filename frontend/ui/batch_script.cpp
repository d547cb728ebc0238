#include "frontend/ui/batch_script.h"

#include "frontend/commands/text_parts.h"

namespace ui {

std::string saved_batch_text(const std::string& program_folder,
                             const std::vector<std::string>& jobs) {
    std::string text = "@cd /d \"" + commands::script_name(program_folder) + "\"\r\n" +
                       "@toolenv.exe run\r\n@call toolenv.bat\r\n@del toolenv.bat\r\n";
    for (const std::string& line : jobs) text += line + "\r\n";
    return text;
}

std::string batch_file_name(const std::string& chosen) {
    return commands::has_extension_dot(chosen) ? chosen : chosen + ".bat";
}

} // namespace ui
