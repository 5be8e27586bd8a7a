#include "ui/form/FormLayout.h"

#include "ui/widgets/ObservationsMemo.h"
#include "ui/widgets/UniformRowListView.h"
#include "ui/widgets/ValueEdit.h"
#include "ui/widgets/Windows1252Validator.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <map>
#include <utility>
#include <vector>

namespace kestrix {

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A button glyph holds its normal state in the left half and its disabled
// state in the right half.
QIcon glyphIcon(const QString& resource) {
    const QImage glyph(resource);
    if (glyph.isNull())
        return {};
    const int half = glyph.width() / 2;
    auto state = [&](int left) {
        return QPixmap::fromImage(glyph.copy(left, 0, half, glyph.height()));
    };
    QIcon icon;
    icon.addPixmap(state(0), QIcon::Normal);
    icon.addPixmap(state(half), QIcon::Disabled);
    return icon;
}

// The size QLabel::adjustSize() gives a caption of plain text, measured
// once. QLabel works it out three times over (its size hint, and the two
// halves of its minimum size), laying the text out each time; for the forty
// captions of the main window that was a twentieth of start-up.
void fitToText(QLabel* label) {
    if (label->text().isEmpty() || label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text())) ||
        label->wordWrap() || label->indent() >= 0 || label->margin() != 0 ||
        label->frameWidth() != 0 || !label->contentsMargins().isNull()) {
        label->adjustSize();
        return;
    }
    label->ensurePolished();
    // As QLabel measures: from the left, within 2000 pixels, with no
    // mnemonic handling until the label has a buddy.
    constexpr int kLabelMeasureArea = 2000;
    const QRect bounds = label->fontMetrics().boundingRect(
        QRect(0, 0, kLabelMeasureArea, kLabelMeasureArea), Qt::AlignLeft, label->text());
    label->resize(bounds.size().expandedTo(label->minimumSize()));
}

QLabel* makeLabel(const FormControl& control, QWidget* parent) {
    auto* label = new QLabel(text(control.caption), parent);
    if (control.height > 0) {
        label->setGeometry(control.left, control.top, control.width, control.height);
        return label;
    }
    label->move(control.left, control.top);
    fitToText(label);
    if (control.width > 0)
        label->setFixedWidth(control.width);
    return label;
}

QWidget* makeControl(const FormControl& control, QWidget* parent) {
    using Kind = FormControl::Kind;
    switch (control.kind) {
    case Kind::Label:
        return makeLabel(control, parent);
    case Kind::Edit:
    case Kind::ValueEdit: {
        auto* edit = control.kind == Kind::Edit ? new QLineEdit(parent) : new ValueEdit(parent);
        if (control.maxLength > 0)
            edit->setMaxLength(control.maxLength);
        edit->setValidator(new Windows1252Validator(edit));
        return edit;
    }
    case Kind::Button:
        return new QPushButton(text(control.caption), parent);
    case Kind::PictureButton: {
        auto* button = new QToolButton(parent);
        button->setText(text(control.caption));
        button->setIcon(glyphIcon(text(control.glyph)));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setFocusPolicy(Qt::StrongFocus);
        return button;
    }
    case Kind::Picture: {
        auto* picture = new QLabel(parent);
        picture->setScaledContents(true);
        return picture;
    }
    case Kind::CatalogueList: {
        // A catalogue may hold many thousand entries, all one line high. A
        // plain QListView lays out every row before it is first shown (about
        // 550 instructions a row: 110 M for two 100,000-entry catalogues, the
        // largest part of such a start-up); this view works each row's place
        // out from its number, at the same cost for any number of rows.
        auto* list = new UniformRowListView(parent);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return list;
    }
    case Kind::AcquiredList:
        return new QListWidget(parent);
    case Kind::Group:
        return new QGroupBox(text(control.caption), parent);
    case Kind::Panel: {
        auto* panel = new QFrame(parent);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return panel;
    }
    case Kind::EtchedLine: {
        auto* line = new QFrame(parent);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    case Kind::Memo:
        return new ObservationsMemo(parent);
    case Kind::TextView: {
        auto* view = new QPlainTextEdit(parent);
        view->setReadOnly(true);
        return view;
    }
    case Kind::Table: {
        auto* table = new QTableView(parent);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        return table;
    }
    case Kind::RadioButton:
        return new QRadioButton(text(control.caption), parent);
    }
    return nullptr;
}

} // namespace

QString withoutAccelerator(const QString& caption) {
    QString plain;
    for (int i = 0; i < caption.size(); ++i) {
        // "&&" stands for one ampersand; a lone '&' marks the accelerator.
        if (caption[i] == u'&' && ++i == caption.size())
            break;
        plain.append(caption[i]);
    }
    return plain;
}

void buildForm(QWidget* window, const FormControl* controls, std::size_t count) {
    struct Caption {
        QLabel* label;
        const char* control;
        bool isBuddy;
    };
    std::vector<Caption> captions;
    std::map<int, QWidget*> tabOrder;
    for (std::size_t i = 0; i < count; ++i) {
        const FormControl& control = controls[i];
        QWidget* parent = control.parent ? formControl(window, control.parent) : window;
        QWidget* widget = makeControl(control, parent);
        if (control.name)
            widget->setObjectName(control.name);
        if (control.kind != FormControl::Kind::Label)
            widget->setGeometry(control.left, control.top, control.width, control.height);
        if (control.kind == FormControl::Kind::Button ||
            control.kind == FormControl::Kind::PictureButton)
            widget->setAccessibleName(withoutAccelerator(text(control.caption)));
        if (control.description)
            widget->setAccessibleDescription(text(control.description));
        if (control.buddy)
            captions.push_back({static_cast<QLabel*>(widget), control.buddy, true});
        if (control.names)
            captions.push_back({static_cast<QLabel*>(widget), control.names, false});
        if (control.tabPosition > 0)
            tabOrder.emplace(control.tabPosition, widget);
    }
    QWidget* previous = nullptr;
    for (const auto& [position, widget] : tabOrder) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    // Named controls may stand after their captions in the table.
    for (const Caption& caption : captions) {
        QWidget* named = formControl(window, caption.control);
        if (caption.isBuddy)
            caption.label->setBuddy(named);
        named->setAccessibleName(withoutAccelerator(caption.label->text()));
    }
}

QWidget* formControl(const QWidget* window, const char* name) {
    QWidget* control = window->findChild<QWidget*>(QString::fromLatin1(name));
    Q_ASSERT_X(control, "formControl", name);
    return control;
}

} // namespace kestrix
