#pragma once

#include "core/insights/FileTally.h"
#include "core/records/FileFilter.h"

#include <QAbstractButton>
#include <functional>

namespace tollenvane {

// A tappable tile of one file type with its count and size; it lights up under the pointer.
class CategoryTile : public QAbstractButton {
    Q_OBJECT

public:
    CategoryTile(FileFilter type, FileTally tally, std::function<void()> action,
                 QWidget* parent = nullptr);

    void setTally(FileTally tally);
    FileFilter type() const { return type_; }
    FileTally tally() const { return tally_; }
    bool hovering() const { return hovering_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovering(bool hovering);

    FileFilter type_;
    FileTally tally_;
    bool hovering_ = false;
};

} // namespace tollenvane
