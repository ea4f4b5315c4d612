#include "app/design/Picker.h"

#include "app/design/SpokenName.h"

#include <QComboBox>

namespace tollenvane {

QComboBox* newPicker(const QString& label)
{
    auto* picker = new QComboBox;
    setSpokenName(*picker, label);
    return picker;
}

} // namespace tollenvane
