#pragma once

namespace tollenvane {

class AppModel;
class FileRevealer;
class LinkOpener;

// What a page works with: the one model, and the desktop services that open windows outside the
// application, which tests replace.
struct PageServices {
    AppModel& model;
    FileRevealer& revealer;
    LinkOpener& links;
};

} // namespace tollenvane
