// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include "data/Settings.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kvz::test {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kvizomat-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

Json question(const std::string& text, int level, Json tac, Json odred) {
    return Json{{"Pitanje", text}, {"A", "prvi"}, {"B", "drugi"}, {"V", "tre}i"},
                {"G", "~etvrti"},  {"RB", level}, {"Tac", tac},   {"Odred", odred}};
}

Json sampleFixture(int perLevel, bool withCollaborators) {
    Json f;
    f["tbStat"] = {{"Slova", true},     {"Start", 0},        {"Tac", 0},
                   {"Netac", 0},        {"PTac", 0},         {"PNetac", 0},
                   {"Reklama", 0},      {"Ime", nullptr},    {"Datum", "10.06.2003"},
                   {"Firma", nullptr},  {"Mjesto", nullptr}, {"Mail", nullptr},
                   {"Adresa", nullptr}, {"TelFax", nullptr}, {"Moto", nullptr}};
    f["tbKviz"] = Json::array();
    for (int level = 1; level <= 15; ++level)
        for (int i = 1; i <= perLevel; ++i)
            f["tbKviz"].push_back(
                question("Pitawe " + std::to_string(level) + "." + std::to_string(i), level,
                         (i - 1) % 4 + 1));
    f["tbRezultati"] = Json::array();
    for (int i = 0; i < 10; ++i)
        f["tbRezultati"].push_back({{"Ime", ""}, {"RB", 0}, {"Skor", 0}, {"Datum", "2003-06-10"}});
    if (withCollaborators) f["tbSar"] = {"Pera", "Mika"};
    return f;
}

Value storedSetting(const std::string& path, std::string_view field) {
    Connection conn(path, kDatabasePassword);
    return Settings(conn, *directWriter(conn)).field(field);
}

std::string integrity(const Connection& conn) {
    auto st = conn.prepare("PRAGMA integrity_check");
    return st.step() ? st.column(0).text() : "";
}

std::map<std::string, std::string> filesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = readFile(entry.path().string());
    return files;
}

::testing::AssertionResult contains(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << part << "\" not in:\n" << text;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

int runCommand(const std::string& command, std::string* output) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    std::array<char, 4096> buf{};
    while (std::size_t n = std::fread(buf.data(), 1, buf.size(), pipe)) text.append(buf.data(), n);
    int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::optional<std::string> asOrdinaryUser(const std::string& owned,
                                          const std::function<std::string()>& body) {
    const bool root = geteuid() == 0;
    if (root && runCommand("chown -R nobody '" + owned + "'") != 0) return std::nullopt;
    int out[2];
    if (pipe(out) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        if (root && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        const std::string text = body();
        const bool sent =
            write(out[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        _exit(sent ? 0 : 4);
    }
    close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    return text;
}

int startQuietly(const std::vector<std::string>& args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> copy = args;
    std::vector<char*> argv;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

std::int64_t countFromEnvironment(const char* name, std::int64_t fallback) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0' ? std::atoll(v) : fallback;
}

} // namespace kvz::test
