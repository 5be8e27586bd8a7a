#pragma once

#include <QValidator>

namespace kestrix {

// Refuses, as it is typed or pasted, any character the character file's
// code page cannot hold, so what an edit box shows is what the file stores.
class Windows1252Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace kestrix
