#pragma once

#include <QWidget>

namespace tollenvane {

// A keyboard-key badge: the key's label in small muted monospaced type on a soft rounded fill.
class KeyCap : public QWidget {
    Q_OBJECT

public:
    explicit KeyCap(const QString& key, QWidget* parent = nullptr);

    QString key() const { return key_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString key_;
};

} // namespace tollenvane
