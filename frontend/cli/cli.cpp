#include "frontend/cli/cli.h"

#include "frontend/cli/inputs_file.h"

#include <optional>

#include "frontend/cluster/slurm_export.h"
#include "frontend/commands/batch_script.h"
#include "frontend/commands/job_check.h"
#include "frontend/commands/job_files.h"
#include "frontend/commands/line_safety.h"
#include "frontend/commands/text_parts.h"
#include "frontend/session/session.h"
#include "frontend/session/settings_files.h"
#include "frontend/session/x264_in_use.h"
#include "frontend/settings/corrections.h"
#include "frontend/settings/settings_file.h"

namespace cli {

namespace {

const char usage[] =
    "usage: quorbel-cli [--settings FILE] [--set KEY=VALUE]... [--program-folder DIR]\n"
    "                   [--output-folder DIR] [--save-settings FILE] [--bat FILE]\n"
    "                   [--inputs FILE] [INPUT...]\n"
    "       quorbel-cli --slurm DIR [--jobs FILE] [--path-map WINDOWS=POSIX]... [--tools DIR]\n"
    "                   [--max-running K] [--cpus N] [the options above]\n";

struct Options {
    std::optional<std::string> settings_file, program_folder, output_folder, save_file, bat_file,
        inputs_file, slurm_folder, jobs_file, tools_folder;
    std::vector<cluster::PathMap> maps;
    unsigned max_running = 0, cpus = 1;
    std::vector<std::pair<std::string, std::string>> sets;
    std::vector<std::string> inputs;
    bool help = false;
};

struct UsageError {
    std::string message;
};

// A folder name with its final separator: a backslash when it holds one.
std::string with_separator(const std::string& dir) {
    if (dir.empty() || dir.back() == '\\' || dir.back() == '/') return dir;
    return dir + (dir.find('\\') != std::string::npos ? "\\" : "/");
}

bool is_decimal_int(const std::string& text) {
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (i == text.size() || text.size() - i > 10) return false;
    for (size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9') return false;
    long long n = std::stoll(text);
    return n >= INT32_MIN && n <= INT32_MAX;
}

Options parse(const std::vector<std::string>& args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto operand = [&]() -> std::string {
            if (i + 1 >= args.size()) throw UsageError{"option " + a + " needs a value"};
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true; // only in option position: an option's value or an input is not asked
            return o;
        } else if (a == "--settings")
            o.settings_file = operand();
        else if (a == "--program-folder")
            o.program_folder = operand();
        else if (a == "--output-folder")
            o.output_folder = operand();
        else if (a == "--save-settings")
            o.save_file = operand();
        else if (a == "--bat")
            o.bat_file = operand();
        else if (a == "--inputs")
            o.inputs_file = operand();
        else if (a == "--slurm")
            o.slurm_folder = operand();
        else if (a == "--jobs")
            o.jobs_file = operand();
        else if (a == "--tools")
            o.tools_folder = operand();
        else if (a == "--path-map") {
            std::string m = operand();
            std::optional<cluster::PathMap> map = cluster::parse_path_map(m);
            if (!map)
                throw UsageError{"--path-map " + m +
                                 ": not WINDOWS=POSIX (C:\\video\\=/data/video/)"};
            o.maps.push_back(*map);
        } else if (a == "--max-running" || a == "--cpus") {
            std::string n = operand();
            if (!is_decimal_int(n) || std::stoll(n) < 1 || std::stoll(n) > 4096)
                throw UsageError{a + " " + n + ": not a whole number from 1 to 4096"};
            (a == "--cpus" ? o.cpus : o.max_running) = static_cast<unsigned>(std::stoll(n));
        } else if (a == "--set") {
            std::string kv = operand();
            size_t eq = kv.find('=');
            if (eq == std::string::npos) throw UsageError{"--set " + kv + ": missing '='"};
            o.sets.emplace_back(kv.substr(0, eq), kv.substr(eq + 1));
        } else if (a == "--") {
            o.inputs.insert(o.inputs.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"unknown option " + a};
        } else {
            o.inputs.push_back(a);
        }
    }
    return o;
}

void apply_set(settings::Settings& s, const std::string& key, const std::string& value) {
    const settings::FieldSpec* f = settings::find_field(key);
    if (!f) throw UsageError{"unknown settings key " + key};
    if (f->number && !is_decimal_int(value))
        throw UsageError{"--set " + key + ": '" + value + "' is not a whole number"};
    if (!settings::is_choice(*f, value)) {
        std::string names;
        for (const std::string& c : f->choices) names += (names.empty() ? "" : ", ") + c;
        throw UsageError{"--set " + key + ": '" + value + "' is not one of " + names};
    }
    settings::set_field(s, *f, value);
}

// One line on standard error; exit code 2 for bad usage or a refused job,
// 1 when a file cannot be written.
int fail(std::ostream& err, const std::string& message, int code = 2) {
    err << "quorbel-cli: " << message << "\n";
    return code;
}

// The job lines of a file: CR LF or LF after each.
commands::JobList read_job_lines(const std::string& text) {
    commands::JobList lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

int write_slurm(const Options& o, const commands::JobList& jobs, platform::Os& os,
                std::ostream& out, std::ostream& err) {
    cluster::SlurmOptions so;
    so.folder = with_separator(*o.slurm_folder);
    if (so.folder[0] != '/')
        return fail(err, "--slurm " + *o.slurm_folder + ": not a POSIX path from /");
    std::string tools = o.tools_folder.value_or(os.program_folder());
    while (tools.size() > 1 && tools.back() == '/') tools.pop_back();
    so.tools = tools;
    so.maps = o.maps;
    so.max_running = o.max_running;
    so.cpus = o.cpus;
    cluster::SlurmExport e = cluster::slurm_export(jobs, so);
    if (!e.refusal.empty()) return fail(err, e.refusal);
    os.create_folder(so.folder);
    os.create_folder(so.folder + "log");
    for (const auto& [name, text] : e.files)
        if (!os.write_file(so.folder + name, text))
            return fail(err, "cannot write " + so.folder + name + ": " + os.last_error(), 1);
    for (const std::string& note : e.notes) out << note << "\n";
    out << "written into " << so.folder << ": submit with sh " << so.folder << "submit.sh\n";
    return 0;
}

} // namespace

int run(const std::vector<std::string>& args, platform::Os& os, platform::MediaProbe& probe,
        platform::Tools& tools, std::ostream& out, std::ostream& err) {
    Options o;
    try {
        o = parse(args);
    } catch (const UsageError& e) {
        return fail(err, e.message);
    }
    if (o.help) {
        out << usage;
        return 0;
    }

    // Inputs from a file, one path a line (for more than a command line holds).
    if (o.inputs_file) {
        std::optional<std::string> text = os.read_file(*o.inputs_file);
        if (!text) return fail(err, "cannot read " + *o.inputs_file + ": " + os.last_error());
        InputList listed = read_inputs_file(*text, os);
        if (!listed.refused.empty()) return fail(err, listed.refused.front());
        o.inputs.insert(o.inputs.begin(), listed.names.begin(), listed.names.end());
    }

    const session::ProgramFolder folder{
        with_separator(o.program_folder.value_or(os.program_folder()))};
    session::create_working_folders(os, folder);
    session::StartUp up = session::start_up(os, folder);

    settings::Settings s;
    settings::choose_include(s, up.includes); // as the window chooses it
    const session::SettingsFolder place = session::settings_folder(os, folder, up.includes);
    if (o.settings_file) {
        std::optional<std::string> bytes = os.read_file(*o.settings_file);
        if (!bytes)
            return fail(err,
                        "cannot read settings file " + *o.settings_file + ": " + os.last_error());
        if (!settings::holds_settings(*bytes))
            return fail(err, "settings file " + *o.settings_file +
                                 " holds no settings (it is empty or damaged)");
        session::load_settings_bytes(s, *bytes, place); // the bytes checked, read once
    } else {
        session::load_builtin_defaults(s, place);
    }
    try {
        for (const auto& [key, value] : o.sets) apply_set(s, key, value);
    } catch (const UsageError& e) {
        return fail(err, e.message);
    }
    // The same corrections as after a load; "custom..." asks for no matrix
    // file here, as a cancelled question leaves "flat".
    settings::correct_after_load(s);
    if (s.cqm == "custom...") settings::take_matrix_file(s, std::nullopt);

    if (o.save_file && !session::save_settings(s, *o.save_file, os))
        return fail(err, "cannot write " + *o.save_file + ": " + os.last_error(), 1);

    commands::JobList jobs;
    commands::InputProbe input_probe(probe, os);
    // A job is refused as "Add" refuses it (see job_check.h), for the x264
    // the jobs will run: what it cannot read is refused here too.
    const std::optional<session::FoundX264> found =
        session::find_x264(tools, folder.path, s.x264help);
    std::optional<commands::X264InUse> x264;
    if (found) x264 = commands::X264InUse{found->build, found->abilities};
    auto add = [&]() -> bool {
        commands::MadeJob job = commands::make_job(s, input_probe, os, x264 ? &*x264 : nullptr);
        if (job.refusal) {
            fail(err, commands::command_line_refusal_text(*job.refusal));
            return false;
        }
        jobs.insert(jobs.end(), job.lines.begin(), job.lines.end());
        if (job.lines.size() > 2) session::clear_job_files(s);
        return true;
    };
    // Without INPUT, one "Add" with the fields as set, when they name a job.
    if (o.inputs.empty() && (!s.infile.empty() || !s.outfile.empty()) && !add()) return 2;
    commands::NamesInUse used(os);
    // Derived outputs fit the x264 the jobs will run.
    const std::string extension =
        o.inputs.empty() ? "mp4" : session::derived_output_extension(found);
    for (const std::string& input : o.inputs) {
        s.infile = input;
        std::string output_folder =
            o.output_folder ? with_separator(*o.output_folder) : commands::folder_part(input);
        size_t block = jobs.size();
        if (std::optional<std::string> failure = commands::derive_job_files(
                s, output_folder, folder.job_folders(), os, used, extension))
            return fail(err, *failure, 1);
        if (!add()) return 2;
        used.add(jobs, block);
    }

    if (o.jobs_file) {
        // A kept job list or a saved batch file: its lines as they stand.
        std::optional<std::string> text = os.read_file(*o.jobs_file);
        if (!text) return fail(err, "cannot read " + *o.jobs_file + ": " + os.last_error());
        jobs = read_job_lines(*text);
    }
    if (o.slurm_folder) return write_slurm(o, jobs, os, out, err);
    if (o.bat_file) {
        // In the console's code page, which the command interpreter reads.
        std::string name = commands::batch_file_name(*o.bat_file);
        // A "%" that a piped line would expand is refused, as "Make BAT" does.
        for (size_t i = 0; i < jobs.size(); ++i)
            if (commands::piped_percent_problem(jobs[i]))
                return fail(
                    err,
                    "cannot write " + name + ": line " + std::to_string(i + 1) +
                        " holds \"%\" where a piped line would expand it as a variable: " + jobs[i],
                    1);
        std::optional<std::string> text =
            os.ansi_to_console(commands::saved_batch_text(folder.path, jobs));
        if (!text)
            return fail(err,
                        "cannot write " + name +
                            ": a line holds characters the console's code page lacks",
                        1);
        if (!os.write_file(name, *text))
            return fail(err, "cannot write " + name + ": " + os.last_error(), 1);
    } else {
        for (const std::string& line : jobs) out << line << "\n";
    }
    return 0;
}

} // namespace cli
