#pragma once

#include "app/kit/FocusHandOff.h"
#include "model/Page.h"

#include <QScrollArea>

class QVBoxLayout;

namespace tollenvane {

// A page of the detail area: one column of blocks, aligned to the leading edge, that scrolls
// vertically when the window is shorter than the page.
//
// The page follows the focus: a control that takes it otherwise than by a click (Tab, a control
// that hides and hands it on, an action that moves it) is scrolled into sight once the page is
// laid out again, and a control in sight that holds it stays in sight when the page changes size
// around it. A control the user scrolled away from is left where it is. A control of the page
// that hides or is disabled while it holds the focus keeps it (FocusHandOff) until the page shows
// what replaces the control, then hands it to where it belongs: by default the next control of
// the page (the previous one when none follows), never what lies outside the page, nor a control
// of a page that goes meanwhile.
class PageScaffold : public QScrollArea {
    Q_OBJECT

public:
    PageScaffold(Page page, int spacing, int padding, QWidget* parent = nullptr);
    ~PageScaffold() override;

    QVBoxLayout& column() { return *column_; }
    // Adds a block under the previous ones; the column keeps its slack at the bottom.
    void addBlock(QWidget* block);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // Where the focus that `gone`, a control of the page, can no longer hold belongs now; none
    // while it keeps it.
    virtual QWidget* focusHome(QWidget& gone);
    // Hands the focus a control that went keeps to where it belongs, once the events already
    // queued are done.
    void handFocusOnLater() { handOff_.handOnLater(); }

private:
    void focusChanged(QWidget* now);
    // Scrolls to the focus once the events already queued, the layouts among them, are done.
    void followFocusLater();
    // The control of the page that holds the focus, if any.
    QWidget* focusHere() const;
    bool inSight(const QWidget& control) const;

    QVBoxLayout* column_;
    FocusHandOff handOff_;
    QMetaObject::Connection focusChanges_;
    // Whether the control that holds the focus was in sight when last looked at.
    bool focusSeen_ = false;
    bool followQueued_ = false;
};

} // namespace tollenvane
