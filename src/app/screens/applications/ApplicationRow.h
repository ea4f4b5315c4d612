#pragma once

#include "app/screens/applications/ApplicationSelection.h"
#include "core/records/FileRecord.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QPushButton;

namespace tollenvane {

class ApplicationIcon;
class ElidedLabel;
class FileRevealer;
class PlainButton;
class SymbolView;

// One installed application: icon, name and version, folder, last use, size, a button that shows
// it in the file manager, and what may be done with it (a lock, "Ouverte", or "Examiner").
class ApplicationRow final : public QWidget {
    Q_OBJECT

public:
    // `examine` hands the row's application to a session.
    ApplicationRow(FileRevealer& revealer, std::function<void(const FileRecord&)> examine,
                   QWidget* parent = nullptr);
    void setApplication(const FileRecord& application, ApplicationStanding standing,
                        bool examineEnabled);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showTexts(const FileRecord& application);

    std::optional<FileRecord> application_;
    ApplicationIcon* icon_;
    ElidedLabel* name_;
    ElidedLabel* version_;
    ElidedLabel* folder_;
    ElidedLabel* lastUse_;
    ElidedLabel* size_;
    PlainButton* reveal_;
    SymbolView* lock_;
    ElidedLabel* open_;
    QPushButton* examine_;
};

} // namespace tollenvane
