#include "ui/dialogs/about.h"

#include "Version.h"
#include "ui/dialogs/AboutTexts.h"
#include "ui/form/FormLayout.h"
#include "ui/form/WindowPlacement.h"
#include "ui/form/WindowSetup.h"

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

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent, windowFlagsFor(WindowKind::Dialog)) {
    setUpWindow(this, "AboutBox", "Sobre", 297, 213);
    setModal(true);
    const QByteArray version = versionLine().toUtf8();
    // The credit keeps to one line and is cut at the box's edge; the
    // disclaimer wraps onto a second line.
    // clang-format off
    const FormControl layout[] = {
        form::panel("Panel1", 8, 8, 281, 161),
        form::picture("ProgramIcon", 8, 8, 32, 32).in("Panel1"),
        form::label(about::kProduct,      48, 8).named("ProductName").in("Panel1"),
        form::label(about::kAuthor,       48, 24).named("Author").in("Panel1"),
        form::label(version.constData(),  48, 40).named("Version").in("Panel1"),
        form::label(about::kErrorReports, 16, 56).named("ErrorReports").in("Panel1"),
        form::label(about::kNewVersions,  16, 72).named("NewVersions").in("Panel1"),
        form::label(about::kCredit,       16, 88, 249, 33).named("Credit").in("Panel1"),
        form::label(about::kDisclaimer,   16, 120, 249, 33).named("Comments").in("Panel1"),
        form::button("OKButton", "OK", 111, 180, 75, 25),
    };
    // clang-format on
    buildForm(this, layout);
    formControl<QLabel>(this, "ProgramIcon")->setPixmap(QPixmap(":/icons/kestrix.png"));
    for (QLabel* line : formControl(this, "Panel1")->findChildren<QLabel*>())
        line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    formControl<QLabel>(this, "Comments")->setWordWrap(true);
    OKButton = formControl<QPushButton>(this, "OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
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
