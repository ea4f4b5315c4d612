#include "app/shell/AlertPresenter.h"

#include "app/design/LocalizedText.h"
#include "app/design/ShownText.h"
#include "app/kit/AlertBox.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tollenvane {
namespace {

// The sheet or alert open over `window` that holds the keyboard, if any: an alert raised under it
// would leave the keyboard, once dismissed, on the window that the sheet blocks.
QWidget* topSheet(const QWidget& window)
{
    QWidget* modal = QApplication::activeModalWidget();
    for (const QWidget* owner = modal; owner != nullptr; owner = owner->parentWidget()) {
        if (owner == &window) {
            return modal != &window ? modal : nullptr;
        }
    }
    return nullptr;
}

// The window the alert covered takes the keyboard back, whatever the window manager makes of the
// alert going; a window that took it meanwhile keeps it.
void returnKeyboard(const QWidget& box)
{
    const QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active != &box) {
        return;
    }
    if (QWidget* under = box.parentWidget(); under != nullptr && under->isVisible()) {
        under->activateWindow();
    }
}

} // namespace

AlertPresenter::AlertPresenter(AppModel& model, QWidget& window)
    : QObject(&window)
    , model_(model)
    , window_(window)
    , refresh_(*this, [this] { refresh(); })
{
    refresh_.follow(model, {&AppModel::alertChanged});
    refresh();
}

void AlertPresenter::refresh()
{
    const std::optional<AlertMessage>& alert = model_.alert();
    if (!alert) {
        shownID_.clear();
        if (QMessageBox* box = box_) {
            box_ = nullptr;
            box->reject();
            box->deleteLater();
        }
        return;
    }
    if (alert->id == shownID_ && box_) {
        return;
    }
    shownID_ = alert->id;
    // Both texts come from the model as they are; markup in them is shown, not obeyed.
    const QString title = QString::fromStdString(alert->title);
    const QString words = QString::fromStdString(alert->message);
    const ShownText message = alert->name
                                  ? ShownText::withName(words, QString::fromStdString(*alert->name))
                                  : ShownText(words);
    if (!box_) {
        QWidget* sheet = topSheet(window_);
        box_ = newAlertBox(sheet != nullptr ? *sheet : window_, title, message);
        box_->setObjectName(QStringLiteral("alert"));
        box_->addButton(localized("Compris"), QMessageBox::AcceptRole);
        connect(box_, &QDialog::finished, this, [box = box_.data()] { returnKeyboard(*box); });
        connect(box_, &QDialog::finished, this, &AlertPresenter::dismissed);
        // A sheet that closes takes its alert with it: the alert comes back over the window.
        connect(box_, &QObject::destroyed, this, [this] { refresh_.request(); });
    } else {
        showAlertText(*box_, title, message);
    }
    box_->open();
    // Its one button holds the focus from the start, its ring drawn as Tab would draw it, so that
    // a keyboard user sees what Enter or Space will do.
    box_->buttons().front()->setFocus(Qt::OtherFocusReason);
    box_->setAttribute(Qt::WA_KeyboardFocusChange);
}

void AlertPresenter::dismissed()
{
    if (box_) {
        box_->deleteLater();
        box_ = nullptr;
    }
    // A newer alert that replaced the text while the box was open is dismissed with it.
    if (model_.alert() && model_.alert()->id == shownID_) {
        shownID_.clear();
        model_.dismissAlert();
    }
}

} // namespace tollenvane
