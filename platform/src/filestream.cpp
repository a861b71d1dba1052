#include "streambase.h"

#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileStream final : public StreamBase {
public:
    FileStream(int fd, DWORD mode) : StreamBase("File stream", mode), m_fd(fd) {}
    ~FileStream() override { ::close(m_fd); }

protected:
    long long ReadAt(ULONGLONG offset, void* data, ULONG size) override
    {
        ULONG done = 0;
        while (done < size) {
            const ssize_t n = ::pread(m_fd, static_cast<BYTE*>(data) + done, size - done,
                                      static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return -1;
            if (n == 0) break;
            done += static_cast<ULONG>(n);
        }
        return done;
    }

    bool WriteAt(ULONGLONG offset, const void* data, ULONG size) override
    {
        ULONG done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(m_fd, static_cast<const BYTE*>(data) + done, size - done,
                                       static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<ULONG>(n);
        }
        return true;
    }

    ULONGLONG Size() override
    {
        struct stat st{};
        return ::fstat(m_fd, &st) == 0 ? static_cast<ULONGLONG>(st.st_size) : 0;
    }

    bool Resize(ULONGLONG size) override { return ::ftruncate(m_fd, static_cast<off_t>(size)) == 0; }

    HRESULT Flush() override { return ::fsync(m_fd) == 0 ? S_OK : STG_E_WRITEFAULT; }

private:
    int m_fd;
};

} // namespace

HRESULT CreateFileStream(const std::filesystem::path& path, DWORD mode, IStream** stream)
{
    if (!stream) return E_POINTER;
    *stream = nullptr;
    int flags = O_RDONLY;
    if (mode & STGM_READWRITE)
        flags = O_RDWR;
    else if (mode & STGM_WRITE)
        flags = O_WRONLY;
    if (mode & STGM_CREATE) flags |= O_CREAT | O_TRUNC;
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return errno == ENOENT ? STG_E_FILENOTFOUND : STG_E_ACCESSDENIED;
    auto* object = new (std::nothrow) FileStream(fd, mode);
    if (!object) {
        ::close(fd);
        return E_OUTOFMEMORY;
    }
    return object->NonDelegatingQueryInterface(IID_IStream, reinterpret_cast<void**>(stream));
}
