#include "ui/catalogues/CatalogueEditorDelegate.h"

#include "ui/catalogues/CatalogueEditorModel.h"
#include "ui/widgets/Windows1252Validator.h"

#include <QLineEdit>
#include <algorithm>

namespace kestrix {

QWidget* CatalogueEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                               const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new Windows1252Validator(edit));
    const auto* model = qobject_cast<const CatalogueEditorModel*>(index.model());
    const int room = model ? model->typingRoom(index) : 1;
    // A longer text from a file is not cut by opening it for editing.
    const int current = index.data(Qt::EditRole).toString().size();
    edit->setMaxLength(std::max(room, current));
    return edit;
}

} // namespace kestrix
