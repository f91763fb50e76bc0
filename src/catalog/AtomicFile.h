#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace catalog {

// The step at which writing through a temporary file failed, with the two paths, so that
// every caller can word the failure its own way.
struct AtomicWriteFailure {
    enum class Step {
        Create, // the temporary file could not be created
        Write,  // writing, flushing or closing the temporary file failed
        Rename, // the temporary file could not be renamed onto the target
    };
    Step step = Step::Create;
    std::filesystem::path temporary;
    std::filesystem::path target;
    std::string reason; // the system's message of a failed rename; empty otherwise
};

// What becomes of a temporary file that was created but not put in place.
enum class FailedTemporary { Remove, Keep };

// A file written to a temporary file ("<target>.tmp" unless another is given) and put in
// place by commit() with a rename, so that a failure never leaves a partly written target
// behind: the old target stays as it was. A temporary file this created and did not put in
// place is removed when the AtomicFile goes, unless FailedTemporary::Keep.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target,
                        FailedTemporary onFailure = FailedTemporary::Remove);
    AtomicFile(std::filesystem::path target, std::filesystem::path temporary,
               FailedTemporary onFailure = FailedTemporary::Remove);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the temporary file could not be created; commit() then fails at Create.
    bool isOpen() const { return m_created; }
    std::ostream& stream() { return m_out; }
    void write(std::string_view bytes);

    // Closes the temporary file, checks that all of it was written and renames it onto the
    // target. On failure returns false and, when given, fills *failure.
    bool commit(AtomicWriteFailure* failure = nullptr);

    const std::filesystem::path& target() const { return m_target; }
    const std::filesystem::path& temporary() const { return m_temporary; }

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::ofstream m_out;
    FailedTemporary m_onFailure;
    bool m_created = false;
    bool m_committed = false;
};

// Writes bytes as the whole content of target through "<target>.tmp" and a rename (see
// AtomicFile). On failure returns false and, when given, fills *failure.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         AtomicWriteFailure* failure = nullptr,
                         FailedTemporary onFailure = FailedTemporary::Remove);

} // namespace catalog
