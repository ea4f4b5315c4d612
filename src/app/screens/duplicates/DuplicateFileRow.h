#pragma once

#include "core/records/FileRecord.h"

#include <QWidget>
#include <functional>
#include <string>

class QPushButton;

namespace tollenvane {

class ElidedLabel;
class PlainButton;
class SymbolView;

// One copy of a group: its kind, name and folder, a preview button, its size and the button that
// keeps this copy and sends the others to review.
class DuplicateFileRow final : public QWidget {
    Q_OBJECT

public:
    // Both receive the path of the row's file.
    struct Actions {
        std::function<void(const std::string&)> preview;
        std::function<void(const std::string&)> keep;
    };

    explicit DuplicateFileRow(Actions actions, QWidget* parent = nullptr);

    // The row serves `file` from now on; the keep button follows the session.
    void setFile(const FileRecord& file, bool keepEnabled);

private:
    void showKind(FileKind kind);

    std::string path_;
    Actions actions_;
    SymbolView* kind_;
    ElidedLabel* name_;
    ElidedLabel* folder_;
    ElidedLabel* size_;
    PlainButton* preview_;
    QPushButton* keep_;
};

} // namespace tollenvane
