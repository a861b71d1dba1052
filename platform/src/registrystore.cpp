#include "registrystore.h"

#include "hresult.h"
#include "registrytext.h"
#include "winreg.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

std::string HomeFolder()
{
    if (const char* custom = std::getenv("OSTREL_HOME"); custom && *custom) return custom;
    std::string home;
    if (const char* h = std::getenv("HOME"); h && *h)
        home = h;
    else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        home = entry->pw_dir;
    else
        home = ".";
    return (std::filesystem::path(home) / ".config" / "ostrel").string();
}

// Holds a flock on the registry's lock file (a separate file, so renaming
// the registry itself never drops the lock).
class FileLock {
public:
    FileLock(const std::string& path, int operation)
    {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0) m_error = errno;
        // A shared lock needs no write access: readers of a registry in a
        // read-only folder still find the lock file there.
        if (m_fd < 0 && operation == LOCK_SH) m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) return;
        while (::flock(m_fd, operation) != 0) {
            if (errno != EINTR) {
                m_error = errno;
                ::close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~FileLock()
    {
        if (m_fd >= 0) ::close(m_fd); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return m_fd >= 0; }
    // Why the lock is not held, for the caller's message (a read-only or
    // full folder shows here first, as the lock file cannot be created).
    std::string Reason() const { return std::strerror(m_error); }
    // Nobody may write in the folder, so no writer can replace the file
    // while it is read without the lock.
    bool FolderReadOnly() const { return m_error == EROFS || m_error == EACCES; }

private:
    int m_fd = -1;
    int m_error = 0;
};

RegistryResult Failure(LONG code, std::string message) { return {code, std::move(message)}; }

RegistryResult LoadTree(const std::string& path, RegistryTree& tree)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in && !in.eof()) return Failure(ERROR_CANTREAD, "cannot read the registry file " + path);
    std::string error;
    if (!ParseRegistryText(text.str(), tree, error)) {
        std::string message = "the registry file " + path + " is corrupt (" + error +
                              "); it was left unchanged, repair or remove it";
        // Said once per process; callers get the text through RegistryLastError.
        static std::atomic<bool> told{false};
        if (!told.exchange(true)) std::fprintf(stderr, "ostrel: %s\n", message.c_str());
        return Failure(ERROR_BADDB, std::move(message));
    }
    return {};
}

RegistryResult StoreTree(const std::string& path, const RegistryTree& tree)
{
    const std::string temp = path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(::gettid());
    const std::string text = FormatRegistryText(tree);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Failure(ERROR_CANTWRITE, "cannot create " + temp + ": " + std::strerror(errno));
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(temp.c_str());
        return Failure(ERROR_CANTWRITE, "cannot write the registry file " + path + ": " + reason);
    }
    return {};
}

} // namespace

std::string RegistryFilePath() { return (std::filesystem::path(HomeFolder()) / "registry.txt").string(); }

RegistryResult ReadRegistry(const std::function<LONG(const RegistryTree&)>& read)
{
    const std::string path = RegistryFilePath();
    RegistryTree tree;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(path).parent_path(), ec)) {
        FileLock lock(path + ".lock", LOCK_SH);
        if (!lock.Held() && !lock.FolderReadOnly()) return Failure(ERROR_CANTREAD, "cannot lock the registry file " + path + ": " + lock.Reason());
        RegistryResult loaded = LoadTree(path, tree);
        if (loaded.code != ERROR_SUCCESS) return loaded;
    }
    return {read(tree), {}};
}

RegistryResult UpdateRegistry(const std::function<LONG(RegistryTree&, bool& changed)>& change)
{
    const std::string path = RegistryFilePath();
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    FileLock lock(path + ".lock", LOCK_EX);
    if (!lock.Held()) return Failure(ERROR_CANTWRITE, "cannot lock the registry file " + path + ": " + lock.Reason());
    RegistryTree tree;
    RegistryResult loaded = LoadTree(path, tree);
    if (loaded.code != ERROR_SUCCESS) return loaded;
    bool changed = false;
    const LONG code = change(tree, changed);
    if (code != ERROR_SUCCESS || !changed) return {code, {}};
    return StoreTree(path, tree);
}
