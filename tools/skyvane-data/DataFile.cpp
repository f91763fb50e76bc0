#include "DataCommands.h"

#include "catalog/AtomicFile.h"

namespace datatool {

void writeDataFile(const std::filesystem::path& path, std::string_view bytes) {
    catalog::AtomicWriteFailure failure;
    if (catalog::writeFileAtomically(path, bytes, &failure, catalog::FailedTemporary::Keep))
        return;
    if (failure.step == catalog::AtomicWriteFailure::Step::Rename)
        throw DataError("cannot write " + failure.target.string() + ": " + failure.reason);
    throw DataError("cannot write " + failure.temporary.string());
}

} // namespace datatool
