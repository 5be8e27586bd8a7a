#pragma once

#include <QString>
#include <cstddef>

class QWidget;

namespace kestrix {

// One control of a window's fixed layout, as a form designer would list it:
// what it is, its name, where it sits, its caption, the control its caption's
// accelerator focuses and its typing limit. A window's layout is a table of
// these, built in table order (which is also the order Tab visits controls
// that are not given an order of their own); the window's code then finds
// each control by its name.
struct FormControl {
    enum class Kind {
        Label,         // QLabel; its own size unless a width (and height) is given
        Edit,          // QLineEdit that takes only what the character file can hold
        ValueEdit,     // an Edit that shows five characters in 29 pixels
        Button,        // QPushButton
        PictureButton, // QToolButton with a two-state glyph above its caption
        Picture,       // QLabel stretching its picture to its size
        CatalogueList, // a list of one-line rows, however many (UniformRowListView)
        AcquiredList,  // QListWidget
        Group,         // QGroupBox
        Panel,         // sunken QFrame
        EtchedLine,    // the etched line under a menu bar
        Memo,          // the observations memo
        TextView,      // read-only QPlainTextEdit
        Table,         // QTableView over a model, whole rows selected
        RadioButton,   // QRadioButton
    };

    Kind kind;
    const char* name = nullptr;   // object name; a plain caption needs none
    const char* parent = nullptr; // the group or panel holding it; none: the window
    int left = 0;
    int top = 0;
    int width = 0;                     // 0: a label's own width
    int height = 0;                    // 0: a label's own height (an edit: one line)
    const char* caption = nullptr;     // UTF-8
    const char* buddy = nullptr;       // a label's accelerator focuses this control
    int maxLength = 0;                 // an edit's typing limit; 0: the default
    const char* glyph = nullptr;       // a picture button's glyph resource
    const char* names = nullptr;       // a caption without an accelerator names this control
    const char* description = nullptr; // what a screen reader says the control does (UTF-8)
    int tabPosition = 0;               // its place in the tab order from 1; 0: where Qt puts it

    constexpr FormControl in(const char* group) const { return with(&FormControl::parent, group); }
    constexpr FormControl focusing(const char* control) const {
        return with(&FormControl::buddy, control);
    }
    // For screen readers: the caption names a control it has no accelerator
    // for, as a buddy's caption names its buddy.
    constexpr FormControl naming(const char* control) const {
        return with(&FormControl::names, control);
    }
    constexpr FormControl describedAs(const char* utf8) const {
        return with(&FormControl::description, utf8);
    }
    constexpr FormControl inTabOrder(int position) const {
        return with(&FormControl::tabPosition, position);
    }
    constexpr FormControl named(const char* objectName) const {
        return with(&FormControl::name, objectName);
    }

    // A copy with one field set: the table's entries read as a chain.
    template <typename Field>
    constexpr FormControl with(Field FormControl::*field, Field value) const {
        FormControl copy = *this;
        copy.*field = value;
        return copy;
    }
};

namespace form {

constexpr int kEditHeight = 21;

constexpr FormControl label(const char* caption, int left, int top, int width = 0, int height = 0) {
    return {FormControl::Kind::Label, nullptr, nullptr, left, top, width, height, caption};
}
constexpr FormControl edit(const char* name, int left, int top, int width, int maxLength = 0) {
    return {FormControl::Kind::Edit,
            name,
            nullptr,
            left,
            top,
            width,
            kEditHeight,
            nullptr,
            nullptr,
            maxLength};
}
constexpr FormControl valueEdit(const char* name, int left, int top, int width, int maxLength) {
    return {FormControl::Kind::ValueEdit,
            name,
            nullptr,
            left,
            top,
            width,
            kEditHeight,
            nullptr,
            nullptr,
            maxLength};
}
constexpr FormControl button(const char* name, const char* caption, int left, int top, int width,
                             int height) {
    return {FormControl::Kind::Button, name, nullptr, left, top, width, height, caption};
}
constexpr FormControl pictureButton(const char* name, const char* caption, const char* glyph,
                                    int left, int top, int width, int height) {
    return {FormControl::Kind::PictureButton,
            name,
            nullptr,
            left,
            top,
            width,
            height,
            caption,
            nullptr,
            0,
            glyph};
}
constexpr FormControl picture(const char* name, int left, int top, int width, int height) {
    return {FormControl::Kind::Picture, name, nullptr, left, top, width, height};
}
constexpr FormControl catalogueList(const char* name, int left, int top, int width, int height) {
    return {FormControl::Kind::CatalogueList, name, nullptr, left, top, width, height};
}
constexpr FormControl acquiredList(const char* name, int left, int top, int width, int height) {
    return {FormControl::Kind::AcquiredList, name, nullptr, left, top, width, height};
}
constexpr FormControl group(const char* name, const char* caption, int left, int top, int width,
                            int height) {
    return {FormControl::Kind::Group, name, nullptr, left, top, width, height, caption};
}
constexpr FormControl panel(const char* name, int left, int top, int width, int height) {
    return {FormControl::Kind::Panel, name, nullptr, left, top, width, height};
}
constexpr FormControl etchedLine(int left, int top, int width) {
    return {FormControl::Kind::EtchedLine, nullptr, nullptr, left, top, width, 2};
}
constexpr FormControl memo(const char* name, int left, int top, int width, int height) {
    return {FormControl::Kind::Memo, name, nullptr, left, top, width, height};
}
constexpr FormControl textView(const char* name, int left, int top, int width, int height) {
    return {FormControl::Kind::TextView, name, nullptr, left, top, width, height};
}

constexpr FormControl table(const char* name, int left, int top, int width, int height) {
    return {FormControl::Kind::Table, name, nullptr, left, top, width, height};
}
constexpr FormControl radioButton(const char* name, const char* caption, int left, int top,
                                  int width, int height) {
    return {FormControl::Kind::RadioButton, name, nullptr, left, top, width, height, caption};
}

} // namespace form

// Builds a layout's controls on `window` in table order, then joins each
// caption to the control its accelerator focuses. Every caption with a buddy
// or a control it names gives that control its accessible name, and every
// button is named by its caption.
void buildForm(QWidget* window, const FormControl* controls, std::size_t count);

template <std::size_t N> void buildForm(QWidget* window, const FormControl (&controls)[N]) {
    buildForm(window, controls, N);
}

// The control of that name, which the layout must hold.
QWidget* formControl(const QWidget* window, const char* name);

// A caption as a screen reader says it: without its accelerator mark.
QString withoutAccelerator(const QString& caption);

template <typename Control> Control* formControl(const QWidget* window, const char* name) {
    return static_cast<Control*>(formControl(window, name));
}

} // namespace kestrix
