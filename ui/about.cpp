#include "about.h"

#include "AboutTexts.h"
#include "Version.h"
#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace kestrix {

namespace {

// The version as the box has always shown it: the last part in three digits.
QString versionLine() {
    return QStringLiteral("%1.%2.%3")
        .arg(KESTRIX_VERSION_MAJOR)
        .arg(KESTRIX_VERSION_MINOR)
        .arg(KESTRIX_VERSION_PATCH, 3, 10, QLatin1Char('0'));
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

    addLine(panel, "ProductName", QString::fromUtf8(about::kProduct), 48, 8);
    addLine(panel, "Author", QString::fromUtf8(about::kAuthor), 48, 24);
    addLine(panel, "Version", versionLine(), 48, 40);
    addLine(panel, "ErrorReports", QString::fromUtf8(about::kErrorReports), 16, 56);
    addLine(panel, "NewVersions", QString::fromUtf8(about::kNewVersions), 16, 72);

    // The credit keeps to one line and is cut at the box's edge; the
    // disclaimer wraps onto a second line.
    QLabel* credit = addLine(panel, "Credit", QString::fromUtf8(about::kCredit), 16, 88);
    credit->setGeometry(16, 88, 249, 33);
    QLabel* disclaimer =
        addLine(panel, "Comments", QString::fromUtf8(about::kDisclaimer), 16, 120);
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
