#include "storage/FileError.h"

namespace kestrix {

std::string fileErrorMessage(FileErrorCode code) {
    switch (code) {
    case FileErrorCode::FileNotFound:
        return "File not found";
    case FileErrorCode::InvalidFilename:
        return "Invalid filename";
    case FileErrorCode::TooManyOpenFiles:
        return "Too many open files";
    case FileErrorCode::AccessDenied:
        return "File access denied";
    case FileErrorCode::ReadBeyondEnd:
        return "Read beyond end of file";
    case FileErrorCode::DiskFull:
        return "Disk full";
    }
    return "I/O error " + std::to_string(static_cast<int>(code));
}

Error fileError(FileErrorCode code) {
    return {static_cast<int>(code), fileErrorMessage(code)};
}

} // namespace kestrix
