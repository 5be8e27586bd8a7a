#include "tests/storage/TestFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrix::test {

TempDir::TempDir() {
    char pattern[] = "/tmp/kestrix-storage-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    m_path = pattern;
    chmod(m_path.c_str(), 0755);
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Cases leave directories without write or search permission behind.
    for (auto it = std::filesystem::recursive_directory_iterator(
             m_path, std::filesystem::directory_options::skip_permission_denied, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            chmod(it->path().c_str(), 0755);
    }
    std::filesystem::remove_all(m_path, ignored);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return "<missing>";
    if (!S_ISREG(status.st_mode))
        return "<not a plain file>";
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> listDirectory(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr)
        return {"<cannot list>"};
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string runInChild(const std::function<std::string()>& body) {
    int channel[2];
    if (pipe(channel) != 0)
        return kSkip + "pipe: " + std::strerror(errno);
    const pid_t child = fork();
    if (child < 0)
        return kSkip + "fork: " + std::strerror(errno);
    if (child == 0) {
        close(channel[0]);
        std::string outcome;
        try {
            outcome = body();
        } catch (const std::exception& e) {
            outcome = std::string("exception: ") + e.what();
        }
        std::size_t done = 0;
        while (done < outcome.size()) {
            const ssize_t written = write(channel[1], outcome.data() + done, outcome.size() - done);
            if (written <= 0)
                break;
            done += static_cast<std::size_t>(written);
        }
        _exit(0);
    }
    close(channel[1]);
    std::string outcome;
    char buffer[4096];
    ssize_t got;
    while ((got = read(channel[0], buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        outcome.append(buffer, static_cast<std::size_t>(got));
    }
    close(channel[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status)) {
        std::ostringstream text;
        text << "child killed by signal " << WTERMSIG(status) << " (" << strsignal(WTERMSIG(status))
             << ") " << outcome;
        return text.str();
    }
    return outcome;
}

std::string dropPrivileges() {
    if (geteuid() != 0)
        return "";
    constexpr gid_t kNobodyGroup = 65534;
    constexpr uid_t kNobody = 65534;
    return becomeUser(kNobody, kNobodyGroup);
}

std::string becomeUser(uid_t uid, gid_t gid, const std::vector<gid_t>& groups) {
    if (setgroups(groups.size(), groups.data()) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
        return "cannot become user " + std::to_string(uid) + ": " + std::strerror(errno);
    return "";
}

} // namespace kestrix::test
