#pragma once

#include "app/kit/ButtonArrows.h"
#include "app/kit/Unanswered.h"
#include "core/localisation/AppLanguage.h"

#include <QWidget>
#include <memory>

namespace tollenvane {

class AppModel;
class FileRevealer;
class LinkOpener;
class RootContent;
struct DesktopServices;

// The window's whole content: the sidebar beside the current page, the status bar, and the
// covers, overlays, sheets and alerts above them. Every text is looked up as it is built, so a
// change of language builds it all again.
class RootView final : public QWidget {
    Q_OBJECT

public:
    // The pages reveal files and open folders with the desktop's own services.
    explicit RootView(AppModel& model, QWidget* parent = nullptr);
    // With these instead, which tests put in place of the desktop's.
    RootView(AppModel& model, FileRevealer& revealer, LinkOpener& links, QWidget* parent = nullptr);
    ~RootView() override;

    RootContent& content() const { return *content_; }

protected:
    // Tab goes in the order the window lays its controls out, rows made since included.
    bool focusNextPrevChild(bool next) override;

private:
    RootView(AppModel& model, std::unique_ptr<DesktopServices> own, FileRevealer* revealer,
             LinkOpener* links, QWidget* parent);
    void languageMayHaveChanged();
    void rebuild();
    // Tells the user that no file manager showed the path, or no browser opened the address.
    void tellUnshown(Unanswered::Request request, const std::string& target);

    AppModel& model_;
    std::unique_ptr<DesktopServices> own_;
    FileRevealer& revealer_;
    LinkOpener& links_;
    AppLanguage language_;
    bool rebuildQueued_ = false;
    const ButtonArrows arrows_;
    std::unique_ptr<RootContent> content_;
};

} // namespace tollenvane
