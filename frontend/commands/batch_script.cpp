#include "frontend/commands/batch_script.h"

#include "frontend/commands/text_parts.h"

namespace commands {

namespace {

std::string enter_folder(const std::string& program_folder) {
    return "@cd /d \"" + commands::script_name(program_folder) + "\"\r\n";
}

std::string tools_and_jobs(const std::vector<std::string>& jobs,
                           const std::string& environment = "toolenv") {
    std::string text = "@toolenv.exe run" +
                       (environment == "toolenv" ? std::string() : " " + environment) +
                       "\r\n@call " + environment + ".bat\r\n@del " + environment + ".bat\r\n";
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
           tools_and_jobs(jobs, environment_of(script)) + "del " + script;
}

std::string started_script_name(size_t n) {
    return n <= 1 ? "temp.bat" : "temp" + std::to_string(n) + ".bat";
}

bool is_started_script_name(const std::string& name) {
    if (name == "temp.bat") return true;
    if (!begins_with(name, "temp") || name.size() < 9 || name.size() > 11 ||
        name.compare(name.size() - 4, 4, ".bat") != 0)
        return false;
    std::string n = name.substr(4, name.size() - 8);
    return n.find_first_not_of("0123456789") == std::string::npos &&
           started_script_name(std::stoul(n)) == name;
}

std::string environment_of(const std::string& script) {
    if (begins_with(script, "temp") && script.size() > 8 &&
        script.compare(script.size() - 4, 4, ".bat") == 0) {
        std::string n = script.substr(4, script.size() - 8);
        if (n.find_first_not_of("0123456789") == std::string::npos) return "toolenv" + n;
    }
    return "toolenv";
}

std::string batch_file_name(const std::string& chosen) {
    return commands::has_extension_dot(chosen) ? chosen : chosen + ".bat";
}

} // namespace commands
