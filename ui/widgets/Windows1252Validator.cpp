#include "ui/widgets/Windows1252Validator.h"

#include "platform/TextConversion.h"

namespace kestrix {

QValidator::State Windows1252Validator::validate(QString& input, int&) const {
    return fitsWindows1252(input) ? Acceptable : Invalid;
}

} // namespace kestrix
