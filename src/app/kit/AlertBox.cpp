#include "app/kit/AlertBox.h"

#include "app/design/LocalizedText.h"
#include "app/design/ShownText.h"
#include "app/design/SpokenName.h"
#include "app/design/WholeNames.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>

namespace tollenvane {
namespace {

// What the alert copies. The box's own copy would give the shown names with their isolation
// and marks, the message as markup, and the frame's title and the buttons around them.
class AlertCopy : public QObject {
public:
    static QString objectNameOfCopy() { return QStringLiteral("alertCopy"); }

    explicit AlertCopy(QMessageBox& box)
        : QObject(&box)
    {
        setObjectName(objectNameOfCopy());
        box.installEventFilter(this);
    }

    void setText(const QString& title, const ShownText& message)
    {
        copied_ = title + QStringLiteral("\n\n") + message.copied(0, message.shown().size());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool copy =
            (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
        if (!copy) {
            return QObject::eventFilter(watched, event);
        }
        if (event->type() == QEvent::KeyPress) {
            QApplication::clipboard()->setText(copied_);
        }
        event->accept();
        return true;
    }

private:
    QString copied_;
};

} // namespace

QMessageBox* newAlertBox(QWidget& parent, const QString& title, const ShownText& message)
{
    auto* box = new QMessageBox(&parent);
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setWindowTitle(localized("Tollenvane"));
    new AlertCopy(*box);
    showAlertText(*box, title, message);
    if (auto* heading = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
    }
    return box;
}

void showAlertText(QMessageBox& box, const QString& title, const ShownText& message)
{
    box.setText(title);
    box.setInformativeText(Qt::convertFromPlainText(namesKeptWhole(message.shown())));
    // A selection in a label would copy the marks; the whole alert copies as it should. The box
    // makes its message's label only now, with the style's selectable text.
    for (QLabel* label : box.findChildren<QLabel*>()) {
        label->setTextInteractionFlags(Qt::NoTextInteraction);
    }
    // Assistive technology reads the labels' own texts: the message's holds markup, both the
    // marks that show names.
    if (auto* heading = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        setSpokenName(*heading, title);
    }
    // The window is titled by the application; a screen reader opens the alert on what it says.
    setSpokenName(box, title);
    if (auto* details = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        setSpokenName(*details, message.shown());
    }
    if (auto* copy =
            box.findChild<QObject*>(AlertCopy::objectNameOfCopy(), Qt::FindDirectChildrenOnly)) {
        static_cast<AlertCopy*>(copy)->setText(title, message);
    }
}

} // namespace tollenvane
