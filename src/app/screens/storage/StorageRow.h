#pragma once

#include "core/storage/StorageNode.h"

#include <QAbstractButton>
#include <QWidget>
#include <functional>

class QPushButton;

namespace tollenvane {

class PlainButton;

// The clickable part of a list row: the node's icon, its name elided in the middle and its size.
class StorageRowButton final : public QAbstractButton {
    Q_OBJECT

public:
    explicit StorageRowButton(QWidget* parent = nullptr);
    void setNode(const StorageNode& node);
    const StorageNode& node() const { return node_; }
    // The symbol beside the name: a folder, or the kind of the file.
    const QString& symbol() const { return symbol_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StorageNode node_;
    QString symbol_;
};

// One node of the explorer's list, over a hairline divider: open or preview it, sort a folder,
// reveal it in the file manager.
class StorageRow final : public QWidget {
    Q_OBJECT

public:
    struct Actions {
        std::function<void(const StorageNode&)> activate;
        std::function<void(const StorageNode&)> sort;
        std::function<void(const StorageNode&)> reveal;
    };

    StorageRow(Actions actions, QWidget* parent = nullptr);
    void setNode(const StorageNode& node, bool busy);
    const StorageNode& node() const { return main_->node(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Actions actions_;
    StorageRowButton* main_;
    PlainButton* sort_;
    PlainButton* reveal_;
};

} // namespace tollenvane
