#include "about.h"

#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMap>
#include <QPushButton>

namespace kestrix {

namespace {

// The box's lines, kept as key=value lines beside the help text.
QMap<QString, QString> aboutTexts() {
    QMap<QString, QString> texts;
    QFile file(":/help/sobre.txt");
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            texts.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return texts;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("AboutBox");
    setWindowTitle(QString::fromUtf8("Sobre"));
    setFont(windowFont());
    setFixedSize(297, 213);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, 281, 161);

    auto* icon = new QLabel(panel);
    icon->setObjectName("ProgramIcon");
    icon->setGeometry(8, 8, 32, 32);
    icon->setPixmap(QPixmap(":/icons/kestrix.png"));
    icon->setScaledContents(true);

    const QMap<QString, QString> texts = aboutTexts();
    addLine(panel, "ProductName", texts.value("product"), 48, 8);
    addLine(panel, "Author", texts.value("author"), 48, 24);
    addLine(panel, "Version", texts.value("version"), 48, 40);
    addLine(panel, "ErrorReports", texts.value("errors"), 16, 56);
    addLine(panel, "NewVersions", texts.value("versions"), 16, 72);

    // The credit keeps to one line and is cut at the box's edge; the
    // disclaimer wraps onto a second line.
    QLabel* credit = addLine(panel, "Credit", texts.value("credit"), 16, 88);
    credit->setGeometry(16, 88, 249, 33);
    QLabel* disclaimer = addLine(panel, "Comments", texts.value("disclaimer"), 16, 120);
    disclaimer->setWordWrap(true);
    disclaimer->setGeometry(16, 120, 249, 33);

    OKButton = new QPushButton(QString::fromUtf8("OK"), this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

QLabel* TAboutBox::addLine(QWidget* panel, const char* name, const QString& text, int left,
                           int top) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void TAboutBox::showModal() {
    centreOnScreen(this);
    OKButton->setFocus();
    exec();
}

void TAboutBox::OKButtonClick() {
    accept();
}

} // namespace kestrix
