#pragma once

#include "core/records/FileFilter.h"

#include <QColor>
#include <QRectF>
#include <QWidget>
#include <string_view>

class QPainter;

namespace tollenvane {

// A category's own pair of colours, the same in dark and light.
struct CategoryColors {
    QColor light;
    QColor deep;
};

CategoryColors categoryColors(FileFilter type);
// The symbol name of the category's pictogram.
std::string_view categorySymbol(FileFilter type);

// A pale tile, two tilted cards in the category's colours and its white pictogram.
class FileCategoryIcon final : public QWidget {
    Q_OBJECT

public:
    FileCategoryIcon(FileFilter type, int size, QWidget* parent = nullptr);

    // Draws the icon filling the square `box`, for callers that paint it themselves.
    static void paint(QPainter& painter, const QRectF& box, FileFilter type);

    FileFilter type() const { return type_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FileFilter type_;
};

} // namespace tollenvane
