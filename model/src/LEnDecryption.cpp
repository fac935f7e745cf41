#include "model/LEnDecryption.h"

#include "model/CipherKey.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

constexpr int kCopyMarkPosition = 7;

} // namespace

TStringList& DecryptedFileList() {
    static TStringList list;
    return list;
}

bool LEnDecryption::DecryptFile(const AnsiString& path) {
    if (!fs932::FileExists(path) || path.Length() < kCopyMarkPosition) {
        return false;
    }
    AnsiString copyPath = path;
    copyPath[kCopyMarkPosition] = 'D';
    if (copyPath == path) {
        // The source already carries the copy's name: writing the copy would overwrite the
        // enciphered file and the final clean-up would delete it.
        return false;
    }
    Descriptor source(::open(fs932::ToOsPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    DecryptedFileList().Add(copyPath);
    // The copy is made new, readable by its owner only: whatever stands at its name (a stale
    // copy, a symbolic link planted there) is removed first, and the creation refuses to
    // follow or reuse anything that appears there meanwhile.
    const std::string osCopyPath = fs932::ToOsPath(copyPath);
    ::unlink(osCopyPath.c_str());
    Descriptor copy(
        ::open(osCopyPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!source.valid()) {
        ShowMessageBox(u8"ファイルの読み込みに失敗しました。\nファイル名："_sj +
                           copyPath.SubString(9, 100),
                       u8"ファイル読み込み失敗"_sj, mb::ICONWARNING);
        return false;
    }
    RunningKey key;
    char buffer[65536];
    bool writable = copy.valid();
    for (;;) {
        ssize_t got = ::read(source.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break; // end of file, or a read error, which ends the copy the same way
        }
        key.Apply(buffer, static_cast<std::size_t>(got));
        if (writable && !WriteAll(copy.get(), buffer, static_cast<std::size_t>(got))) {
            writable = false;
        }
    }
    return true;
}

void LEnDecryption::DeleteDecryptedFiles() {
    for (const AnsiString& path : DecryptedFileList()) {
        fs932::DeleteFile(path);
    }
}
