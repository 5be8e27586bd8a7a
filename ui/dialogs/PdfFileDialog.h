#pragma once

#include <QFileDialog>
#include <string>
#include <vector>

namespace kestrix {

// The "Exportar PDF ..." dialog. Before it takes a name it checks it as
// every PDF the program writes is checked (see checkPdfOutput): a name that
// would put the PDF in place of a character or of another file that is not
// a PDF is refused with a notice naming the file, and the dialog stays open
// for another name. A PDF that exists is asked about as the toolkit asks.
class PdfFileDialog : public QFileDialog {
    Q_OBJECT
public:
    PdfFileDialog(QWidget* parent, const QString& directory);

    // The character file the PDF is made from (none when empty).
    void setCharacterFile(const std::string& path);

    void accept() override;

private:
    std::vector<std::string> m_characterFiles;
};

} // namespace kestrix
