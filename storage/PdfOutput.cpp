#include "storage/PdfOutput.h"

#include "storage/FileError.h"
#include "storage/FileSystem.h"
#include "storage/Paths.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <sys/stat.h>

namespace kestrix {
namespace {

constexpr std::string_view kPdfSignature = "%PDF-";

bool endsInCharacterExtension(const std::string& path) {
    constexpr std::string_view extension = ".qsz";
    if (path.size() < extension.size())
        return false;
    return std::equal(extension.begin(), extension.end(), path.end() - extension.size(),
                      [](char wanted, char found) {
                          return wanted == std::tolower(static_cast<unsigned char>(found));
                      });
}

bool isSameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

PdfOutputRefusal pdfOutputRefusal(const std::string& path,
                                  const std::vector<std::string>& characterFiles) {
    if (holdsNul(path))
        return PdfOutputRefusal::InvalidName;
    if (endsInCharacterExtension(path))
        return PdfOutputRefusal::CharacterFileName;
    struct stat output {};
    if (stat(path.c_str(), &output) != 0)
        return PdfOutputRefusal::None; // nothing there yet, or the write will tell
    for (const std::string& file : characterFiles) {
        struct stat character {};
        if (!holdsNul(file) && stat(file.c_str(), &character) == 0 && isSameFile(output, character))
            return PdfOutputRefusal::SameAsCharacterFile;
    }
    const ReadResult start = readRegularFilePrefix(path, kPdfSignature.size());
    if (start.error)
        return PdfOutputRefusal::Unreadable;
    if (start.bytes.empty() || start.bytes == kPdfSignature)
        return PdfOutputRefusal::None;
    return PdfOutputRefusal::NotAPdf;
}

Result checkPdfOutput(const std::string& path, const std::vector<std::string>& characterFiles) {
    switch (pdfOutputRefusal(path, characterFiles)) {
    case PdfOutputRefusal::None:
        return std::nullopt;
    case PdfOutputRefusal::InvalidName:
        return fileError(FileErrorCode::InvalidFilename);
    case PdfOutputRefusal::CharacterFileName:
        return Error{0, "A PDF is not written under a character file's name (.QsZ)"};
    case PdfOutputRefusal::SameAsCharacterFile:
        return Error{0, "This is a character file being exported; it is not replaced"};
    case PdfOutputRefusal::NotAPdf:
        return Error{0, "Not a PDF file; it is not replaced"};
    case PdfOutputRefusal::Unreadable:
        return Error{0, "Cannot be read to tell whether it is a PDF; it is not replaced"};
    }
    return std::nullopt;
}

} // namespace kestrix
