#include "frontend/commands/batch_script.h"

#include "frontend/commands/text_parts.h"

namespace commands {

namespace {

std::string enter_folder(const std::string& program_folder) {
    return "@cd /d \"" + commands::script_name(program_folder) + "\"\r\n";
}

std::string tools_and_jobs(const std::vector<std::string>& jobs) {
    std::string text = "@toolenv.exe run\r\n@call toolenv.bat\r\n@del toolenv.bat\r\n";
    for (const std::string& line : jobs) text += line + "\r\n";
    return text;
}

} // namespace

std::string saved_batch_text(const std::string& program_folder,
                             const std::vector<std::string>& jobs) {
    return enter_folder(program_folder) + tools_and_jobs(jobs);
}

std::string started_batch_text(const std::string& program_folder,
                               const std::vector<std::string>& jobs, const std::string& script) {
    return enter_folder(program_folder) +
           "@echo Please wait until this process is set into idle.\r\n@pausems.exe 1000\r\n" +
           tools_and_jobs(jobs) + "del " + script;
}

std::string batch_file_name(const std::string& chosen) {
    return commands::has_extension_dot(chosen) ? chosen : chosen + ".bat";
}

} // namespace commands
