// Writes a file through a temporary file next to it that replaces it only once complete and on disk,
// so a crash, a kill or a full disk leaves the previous file whole; the folder is synced after the
// rename, so the new name survives a power loss too. Like a save in place, it writes where a symbolic
// link points and keeps an existing file's mode.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvelo {

class AtomicFileWriter {
public:
    // path: the file to write, UTF-8.
    explicit AtomicFileWriter(std::string path);
    // Removes the temporary file unless it was committed.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file "<file>.tmp-<process id>-<n>" next to the file the path leads to.
    // False when the file exists and may not be written, the links loop, or nothing can be created.
    bool Open();
    bool Write(const void* data, std::size_t size);
    // Syncs the temporary file and renames it over the file; false leaves the file as it was.
    bool Commit();

    // The system's error number of the step that failed (0 before any failure).
    int Error() const { return m_error; }
    // Replaces fsync (for tests that make a sync fail): returns 0 on success, else sets errno.
    using SyncFunction = std::function<int(int fd)>;
    void SetSync(SyncFunction sync) { m_sync = std::move(sync); }

    // The file written: the path with its symbolic links followed (set by Open).
    const std::string& TargetPath() const { return m_target; }

    // The file a path leads to once its symbolic links are followed; nothing when they loop or cannot be read.
    static std::optional<std::string> FollowLinks(const std::string& path);
    // Removes from the folder the temporary files of writers killed before their commit: regular files
    // of this user named "<name>.tmp-<process id>-<n>" whose process no longer runs and whose name
    // isOurName accepts. Returns how many were removed.
    static int RemoveLeftovers(const std::string& folder, const std::function<bool(std::string_view)>& isOurName);

private:
    void Abandon();
    bool Fail();
    void SyncFolder();

    std::string m_path;
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    int m_error = 0;
    bool m_committed = false;
    SyncFunction m_sync;
};

} // namespace orvelo
