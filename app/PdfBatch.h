#pragma once

#include "document/DataFolders.h"

#include <ostream>
#include <string>
#include <vector>

namespace kestrix {

// `kestrix --export-pdf OUT.pdf FILE.QsZ...`: one page per character, in the
// order given, into one PDF. A character file that cannot be read is
// reported on `errors` as "FILE: message" and left out; a picture that cannot
// be found or loaded is reported as "FILE: picture PATH: message" and that
// page goes without it. Relative names are taken from `workingDirectory`;
// the characters' own pictures are looked up as the editor looks them up,
// beside each character and through `folders`. Returns the exit status: 0
// when every character was written with its picture, 1 otherwise (the PDF
// still holds every character that could be read), 2 with nothing read or written
// when the output may not be written (see checkPdfOutput): a character
// file's name, one of the files, an existing file that is not a PDF.
int exportPdfBatch(const std::string& output, const std::vector<std::string>& files,
                   const std::string& workingDirectory, const DataFolders& folders,
                   std::ostream& errors);

} // namespace kestrix
