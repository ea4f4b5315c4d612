#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace tollenvane {

class ApplicationIconCache;

// The icon of a file or application bundle, scaled to fit the widget; the applications
// category icon at 42 by 42 until the first icon arrives.
class ApplicationIcon final : public QWidget {
    Q_OBJECT

public:
    static constexpr int placeholderSize = 42;

    explicit ApplicationIcon(QWidget* parent = nullptr);
    // `cache` must outlive the widget.
    ApplicationIcon(ApplicationIconCache& cache, QWidget* parent = nullptr);

    // The icon shown stays until the new path's icon arrives.
    void setPath(const QString& path);
    const QString& path() const { return path_; }
    bool hasIcon() const { return !icon_.isNull(); }

    QSize sizeHint() const override;

signals:
    void iconChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ApplicationIconCache& cache_;
    QString path_;
    QPixmap icon_;
};

} // namespace tollenvane
