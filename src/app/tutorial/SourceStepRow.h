#pragma once

#include <QWidget>

namespace tollenvane {

class ElidedLabel;

// One authorised folder, by its name, marked as added whatever the state of its access.
class SourceStepRow final : public QWidget {
    Q_OBJECT

public:
    explicit SourceStepRow(QWidget* parent = nullptr);

    void setName(const QString& name);
    QString name() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ElidedLabel* name_;
};

} // namespace tollenvane
