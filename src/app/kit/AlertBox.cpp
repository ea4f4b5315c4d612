#include "app/kit/AlertBox.h"

#include "app/design/LocalizedText.h"
#include "app/design/WholeNames.h"

#include <QMessageBox>
#include <QTextDocument>

namespace tollenvane {

QMessageBox* newAlertBox(QWidget& parent, const QString& title, const QString& message)
{
    auto* box = new QMessageBox(&parent);
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setWindowTitle(localized("Tollenvane"));
    box->setText(title);
    box->setInformativeText(Qt::convertFromPlainText(namesKeptWhole(message)));
    return box;
}

} // namespace tollenvane
