#include "catalog/AtomicFile.h"

#include <system_error>
#include <utility>

namespace catalog {

namespace {

std::filesystem::path temporaryFor(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    return temporary;
}

} // namespace

AtomicFile::AtomicFile(std::filesystem::path target, FailedTemporary onFailure)
    : AtomicFile(target, temporaryFor(target), onFailure) {}

AtomicFile::AtomicFile(std::filesystem::path target, std::filesystem::path temporary,
                       FailedTemporary onFailure)
    : m_target(std::move(target)), m_temporary(std::move(temporary)),
      m_out(m_temporary, std::ios::binary | std::ios::trunc), m_onFailure(onFailure),
      m_created(m_out.is_open()) {}

AtomicFile::~AtomicFile() {
    if (m_committed || !m_created)
        return;
    m_out.close();
    if (m_onFailure == FailedTemporary::Remove) {
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
    }
}

void AtomicFile::write(std::string_view bytes) {
    m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool AtomicFile::commit(AtomicWriteFailure* failure) {
    const auto fail = [&](AtomicWriteFailure::Step step, std::string reason) {
        if (failure)
            *failure = AtomicWriteFailure{step, m_temporary, m_target, std::move(reason)};
        return false;
    };
    if (!m_created)
        return fail(AtomicWriteFailure::Step::Create, {});
    m_out.close();
    if (!m_out)
        return fail(AtomicWriteFailure::Step::Write, {});
    std::error_code ec;
    std::filesystem::rename(m_temporary, m_target, ec);
    if (ec)
        return fail(AtomicWriteFailure::Step::Rename, ec.message());
    m_committed = true;
    return true;
}

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         AtomicWriteFailure* failure, FailedTemporary onFailure) {
    AtomicFile file(target, onFailure);
    file.write(bytes);
    return file.commit(failure);
}

} // namespace catalog
