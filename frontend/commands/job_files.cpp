#include "frontend/commands/job_files.h"

#include "frontend/commands/text_parts.h"

namespace commands {

namespace {

// The name without its extension, the dot kept; a name without any dot is
// taken whole and gains one, so "clip" becomes "clip." + "mp4".
std::string dotted_stem(const std::string& name) {
    return has_extension_dot(name) ? output_stem(name) : name + ".";
}

} // namespace

std::string wrapper_script(const std::string& source, const std::string& include_name) {
    std::string without_extension = source;
    if (has_extension_dot(source))
        without_extension.resize(source.size() - extension(source).size() - 1);
    return "fs=\"" + source + "\"\r\n" + "mfn=\"" + without_extension + "\"\r\n" +
           "import(\"..\\avsinc\\" + include_name + ".avs\")\r\n";
}

void derive_job_files(settings::Settings& s, const std::string& output_folder,
                      const std::string& program_folder, platform::Os& os) {
    if (s.infile.empty()) return;
    std::string name = file_name(s.infile);
    s.statsname = program_folder + "stats\\" + name + ".stat";
    s.logname = program_folder + "log\\" + name + ".txt";
    s.outfile = output_folder + dotted_stem(name) + "mp4";
    // AviSynth scripts, and every input when x264 opens them itself, are used
    // as picked.
    if (settings::direct_input(s) || upper(extension(s.infile)) == "AVS") return;
    std::string wrapper = program_folder + "avs\\" + name + ".avs";
    os.write_file(wrapper, wrapper_script(s.infile, s.avsinc)); // failure: a missing script later
    s.infile = wrapper;
}

} // namespace commands
