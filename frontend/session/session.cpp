#include "frontend/session/session.h"

namespace session {

std::vector<std::string> ProgramFolder::working_folders() const {
    return {path + "avs", path + "stats", path + "configs", path + "log", path + "avsinc"};
}

void create_working_folders(platform::Os& os, const ProgramFolder& folder) {
    for (const std::string& sub : folder.working_folders()) os.create_folder(sub);
}

void remove_stale_temp_files(platform::Os& os, const ProgramFolder& folder) {
    for (const std::string& sub :
         {std::string(), std::string("avs\\"), std::string("configs\\"), std::string("avsinc\\")})
        os.remove_stale_temp_files(folder.path + sub);
}

const char* const default_include_script =
    "# The include script of the wrappers in \"avs\": each wrapper sets fs to the\r\n"
    "# picked source and mfn to the same path without its extension, then imports\r\n"
    "# this script, whose last line gives the clip that x264 and bepipe read.\r\n"
    "# DirectShowSource opens the source through the system's DirectShow filters,\r\n"
    "# video and audio. Edit it, or add scripts of your own beside it.\r\n"
    "DirectShowSource(fs)\r\n";

bool provide_default_include(platform::Os& os, const ProgramFolder& folder) {
    if (!include_names(os, folder).empty()) return false;
    return os.write_new_file(folder.include_folder() + "default.avs", default_include_script);
}

namespace {

std::vector<std::string> names_without_extension(platform::Os& os, const std::string& pattern) {
    std::vector<std::string> names;
    for (const std::string& file : os.list_folder(pattern))
        names.push_back(file.substr(0, file.rfind('.')));
    return names;
}

} // namespace

std::vector<std::string> configuration_names(platform::Os& os, const ProgramFolder& folder) {
    return names_without_extension(os, folder.configuration_folder() + "*.ini");
}

std::vector<std::string> include_names(platform::Os& os, const ProgramFolder& folder) {
    return names_without_extension(os, folder.include_folder() + "*.avs");
}

void clear_job_files(settings::Settings& s) {
    s.infile.clear();
    s.outfile.clear();
    s.statsname.clear();
    s.logname.clear();
}

SettingsFolder settings_folder(platform::Os& os, const ProgramFolder& folder,
                               std::vector<std::string> includes) {
    return {os, folder.defaults_file(), std::move(includes)};
}

std::string held_no_settings(const std::string& path, const std::string& kept) {
    return path + " held no settings (it was empty or damaged); it is kept as " + kept + ".";
}

StartUp start_up(platform::Os& os, const ProgramFolder& folder) {
    remove_stale_temp_files(os, folder);
    provide_default_include(os, folder);
    return {configuration_names(os, folder), include_names(os, folder)};
}

} // namespace session
