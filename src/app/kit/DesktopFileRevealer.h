#pragma once

#include "app/kit/FileRevealer.h"

#include <QObject>

namespace tollenvane {

// Asks the session's file manager to select the file; when none answers, opens the folder that
// holds it with the desktop's default handler; when there is none either, tells.
class DesktopFileRevealer final : public QObject, public FileRevealer {
    Q_OBJECT

public:
    explicit DesktopFileRevealer(QObject* parent = nullptr);

    void reveal(const std::string& path) override;

private:
    void openFolderOf(const std::string& path) const;
};

} // namespace tollenvane
